// The editor window's life: opening inside the host's frame, closing (by us or by the system),
// presenting the draw bitmap, resizing, tooltips, the host's wheel and the PNG resources.
#include "graphics/win/IGraphicsWin.h"

#include "graphics/win/detail/WindowsApi.h"

#include <commctrl.h>

#include "graphics/controls/IControl.h"
#include "graphics/win/detail/WinProcs.h"
#include "platform/ModuleInfo.h"
#include "platform/ModuleResources.h"
#include "plug/IEffectBase.h"
#include "raster/RasterPng.h"
#include "raster/RasterSysBitmap.h"

namespace quivorant {

using detail::AsWindow;

namespace {

struct WindowPlace {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Where an open window sits inside its parent's client area, and its size.
WindowPlace PlaceOf(HWND window) {
  WindowPlace place;
  RECT r;
  if (!GetWindowRect(window, &r)) return place;
  place.width = r.right - r.left;
  place.height = r.bottom - r.top;
  POINT origin = {r.left, r.top};
  if (HWND parent = GetParent(window)) ScreenToClient(parent, &origin);
  place.x = origin.x;
  place.y = origin.y;
  return place;
}

bool IsNonMdiChild(HWND window) {
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
  return (style & WS_CHILD) != 0 && (exStyle & WS_EX_MDICHILD) == 0;
}

void GrowWindow(HWND window, int dW, int dH) {
  RECT r;
  if (!GetWindowRect(window, &r)) return;
  SetWindowPos(window, nullptr, 0, 0, r.right - r.left + dW, r.bottom - r.top + dH,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

IGraphicsWin::IGraphicsWin(IEffectBase* plug, int width, int height, int frameRate)
    : IGraphics(plug, width, height, frameRate), moduleInstance_(ThisModuleHandle()) {}

IGraphicsWin::~IGraphicsWin() {
  // The core deletes its editor from its own destructor, when the instance can no longer take
  // host calls: a wheel gesture still waiting is dropped, not reported.
  CloseWindowInternal(false);
  customColours_.reset();
}

unsigned IGraphicsWin::TimerIntervalMs(int frameRate) {
  if (frameRate <= 0) frameRate = kDefaultFrameRate;
  return unsigned(1000 / frameRate);
}

void* IGraphicsWin::OpenWindow(void* parent) {
  WindowPlace place;
  place.width = WindowWidth();
  place.height = WindowHeight();
  if (editorWindow_) {
    place = PlaceOf(AsWindow(editorWindow_));
    CloseWindow();
  }
  parentWindow_ = parent;
  HINSTANCE instance = static_cast<HINSTANCE>(moduleInstance_);
  if (!holdsWindowClass_) {
    if (!detail::AcquireEditorWindowClass(instance)) return nullptr;
    holdsWindowClass_ = true;
  }
  HWND window = CreateWindowExA(0, kWindowClassName, "IEffect", WS_CHILD | WS_VISIBLE, place.x, place.y, place.width,
                                place.height, AsWindow(parent), nullptr, instance, this);
  if (!window) {
    // A window that got as far as its creation message has already been counted out again.
    if (editorWindow_) OnWindowDestroyed();
    ReleaseWindowClass();
    return nullptr;
  }
  MarkAllDirty();
  if (TooltipsEnabled()) CreateTooltip();
  FollowMonitorScale();
  return window;
}

void IGraphicsWin::CloseWindow() { CloseWindowInternal(true); }

void IGraphicsWin::CloseWindowInternal(bool flushGesture) {
  if (!editorWindow_) {
    // The system destroyed the window with its parent; the class was still counted for it.
    ReleaseWindowClass();
    return;
  }
  HWND window = AsWindow(editorWindow_);
  if (WheelGestureTicksLeft() > 0) {
    if (flushGesture && Plug()) Plug()->FlushDeferredGesture();
    ClearWheelGestureTicks();
  }
  // The entry dies with the editor window; what was typed is not applied.
  ForgetEntry(true);
  DestroyWindow(window);
  // Normally WM_DESTROY did the bookkeeping; if the window could not be destroyed (another
  // thread's window, already gone), forget it anyway.
  if (editorWindow_) OnWindowDestroyed();
  // Only now, with the window gone, can the class be unregistered.
  ReleaseWindowClass();
}

void IGraphicsWin::ReleaseWindowClass() {
  if (!holdsWindowClass_) return;
  holdsWindowClass_ = false;
  detail::ReleaseEditorWindowClass();
}

// WM_DESTROY: the window goes, through CloseWindow or because the host destroyed its parent.
// A window cannot unregister its class while it still exists, so the class stays counted until
// the next CloseWindow, OpenWindow or the destructor.
void IGraphicsWin::OnWindowDestroyed() {
  HWND window = AsWindow(editorWindow_);
  if (!window) return;
  KillTimer(window, kTimerId);
  if (tooltipWindow_) DestroyWindow(AsWindow(tooltipWindow_));
  tooltipWindow_ = nullptr;
  tooltipShown_ = false;
  tooltipControl_ = -1;
  if (WheelGestureTicksLeft() > 0 && Plug()) Plug()->FlushDeferredGesture();
  ClearWheelGestureTicks();
  ForgetEntry(false);
  DropMouseCapture();
  // Late messages to this handle must not find us any more.
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  editorWindow_ = nullptr;
}

bool IGraphicsWin::Present(const PixelRect& rect) {
  HWND window = AsWindow(editorWindow_);
  if (!window) return false;
  PAINTSTRUCT ps;
  HDC target = BeginPaint(window, &ps);
  RasterSysBitmap* surface = DrawBitmapSurface();
  HDC source = surface ? static_cast<HDC>(surface->DeviceContext()) : nullptr;
  if (target && source) {
    BitBlt(target, rect.left, rect.top, rect.Width(), rect.Height(), source, rect.left, rect.top, SRCCOPY);
  }
  EndPaint(window, &ps);
  return true;
}

void IGraphicsWin::Resize(int width, int height) {
  const int dW = width - Width();
  const int dH = height - Height();
  // The controls go; an entry must not outlive its control.
  ForgetEntry(true);
  tooltipControl_ = -1;
  HideTooltip();
  IGraphics::Resize(width, height);
  ResizeDrawBitmap(WindowWidth(), WindowHeight());
  HWND window = AsWindow(editorWindow_);
  if (!window) return;
  RECT r;
  GetWindowRect(window, &r);
  const RECT old = {0, 0, r.right - r.left, r.bottom - r.top};
  HWND frames[3] = {window, nullptr, nullptr};
  if (IsNonMdiChild(window)) {
    frames[1] = GetParent(window);
    if (frames[1] && IsNonMdiChild(frames[1])) frames[2] = GetParent(frames[1]);
  }
  for (HWND frame : frames) {
    if (frame) GrowWindow(frame, dW, dH);
  }
  InvalidateRect(window, &old, FALSE);
}

void IGraphicsWin::WindowScaleChanged() {
  // An entry sits at the old size's pixels; it goes, as when the user clicks elsewhere.
  ForgetEntry(true);
  HideTooltip();
  if (HWND window = AsWindow(editorWindow_)) {
    SetWindowPos(window, nullptr, 0, 0, WindowWidth(), WindowHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, FALSE);
  }
}

void IGraphicsWin::FollowMonitorScale(int dpi) {
  HWND window = AsWindow(editorWindow_);
  if (!window) return;
  if (dpi <= 0) dpi = detail::WindowDpi(window);
  if (dpi <= 0) return;
  if (SetScreenScale(double(dpi) / detail::kBaseDpi) && Plug()) Plug()->ResizeEditor(WindowWidth(), WindowHeight());
}

bool IGraphicsWin::HostMouseWheel(float distance) {
  HWND window = AsWindow(editorWindow_);
  if (!window) return false;
  POINT cursor;
  if (!GetCursorPos(&cursor) || WindowFromPoint(cursor) != window) return false;
  RECT r;
  GetWindowRect(window, &r);
  OnMouseWheel(cursor.x - r.left, cursor.y - r.top, detail::ModifiersFromKeyboard(), int(distance));
  return true;
}

void IGraphicsWin::HideTooltipIfDisabled() {
  if (!TooltipsEnabled()) HideTooltip();
}

RasterBitmap* IGraphicsWin::LoadBitmapResource(int key, const char*) {
  ResourceBytes bytes = {nullptr, 0};
  if (!FindResourceInModule(moduleInstance_, key & 0xFFFF, "PNG", &bytes) || bytes.size < 8) return nullptr;
  return RasterLoadPngMemory(bytes.data, bytes.size, nullptr);
}

// ---- tooltips -------------------------------------------------------------------------------

void IGraphicsWin::CreateTooltip() {
  HWND window = AsWindow(editorWindow_);
  INITCOMMONCONTROLSEX icc = {sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
  HWND tip = nullptr;
  if (InitCommonControlsEx(&icc)) {
    tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                          static_cast<HINSTANCE>(moduleInstance_), nullptr);
  }
  if (!tip) {
    EnableTooltips(false);
    return;
  }
  SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  TTTOOLINFOA info = {};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = window;
  info.uId = reinterpret_cast<UINT_PTR>(window);
  SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  tooltipWindow_ = tip;
}

void IGraphicsWin::SetTooltipText(const char* text) {
  if (!tooltipWindow_) return;
  HWND window = AsWindow(editorWindow_);
  TTTOOLINFOA info = {};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.hwnd = window;
  info.uId = reinterpret_cast<UINT_PTR>(window);
  // The tooltip copies the text; it never writes through this pointer.
  info.lpszText = const_cast<char*>(text);
  SendMessageA(AsWindow(tooltipWindow_), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void IGraphicsWin::ShowTooltip() {
  tooltipControl_ = TooltipsEnabled() ? HoveredControl() : -1;
  IControl* control = GetControl(tooltipControl_);
  if (!control || !control->Tooltip()) return;
  SetTooltipText(control->Tooltip());
  tooltipShown_ = true;
}

void IGraphicsWin::HideTooltip() {
  if (!tooltipShown_) return;
  SetTooltipText(nullptr);
  tooltipShown_ = false;
}

}  // namespace quivorant
