// The editor window's procedure: window messages become editor-core events; the timer tick
// applies the in-place entry, repaints what is dirty and ends wheel gestures.
#include "graphics/win/detail/WindowsApi.h"

#include <shellapi.h>
#include <windowsx.h>

#include "graphics/win/IGraphicsWin.h"
#include "graphics/win/KeyMapping.h"
#include "graphics/win/detail/WinProcs.h"
#include "plug/IEffectBase.h"

namespace quivorant {

using detail::AsWindow;

namespace detail {

LRESULT CALLBACK EditorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto* editor = static_cast<IGraphicsWin*>(create->lpCreateParams);
    if (editor && !editor->GetWindow()) {
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(editor));
      editor->OnWindowCreated(window);
    }
    return 0;
  }
  auto* editor = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!editor || editor->GetWindow() != window) return DefWindowProcA(window, message, wParam, lParam);
  return editor->HandleMessage(message, wParam, lParam);
}

}  // namespace detail

void IGraphicsWin::OnWindowCreated(void* handle) {
  HWND window = AsWindow(handle);
  editorWindow_ = window;
  SetTimer(window, kTimerId, TimerIntervalMs(FrameRate()), nullptr);
  SetFocus(window);
  if (AcceptFileDrops()) DragAcceptFiles(window, TRUE);
}

std::intptr_t IGraphicsWin::HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  HWND window = AsWindow(editorWindow_);
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  if (entryWindow_ && editState_ == kEditEditing && message == WM_RBUTTONDOWN) {
    editState_ = kEditCancel;
    return 0;
  }
  switch (message) {
    case WM_PAINT: {
      RECT r;
      if (!GetUpdateRect(window, &r, FALSE)) return 0;
      // Without controls (or before the core made the draw bitmap) nothing would present and
      // validate the region, and the system would ask again forever.
      if (NControls() == 0 || !DrawBitmapSurface()) {
        ValidateRect(window, nullptr);
        return 0;
      }
      Paint(Scale().ToEditorCovering(PixelRect(r.left, r.top, r.right, r.bottom)));
      return 0;
    }
    case detail::kWmDpiChanged:
      // Moved to a monitor of another scale: the new resolution is in both halves of wParam.
      FollowMonitorScale(LOWORD(wParam));
      return 0;
    case detail::kWmDpiChangedAfterParent:
      FollowMonitorScale();
      return 0;
    case WM_DESTROY:
      OnWindowDestroyed();
      return 0;
    case WM_CLOSE:
      CloseWindow();
      return 0;
    case WM_MOUSEACTIVATE:
      SetFocus(window);
      return MA_ACTIVATE;
    case WM_KEYDOWN: {
      const int key = KeyCodeForVirtualKey(unsigned(wParam));
      if (key >= 0) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(window, &p);
        OnKeyDown(p.x, p.y, key);
      }
      return 0;
    }
    case WM_TIMER:
      if (wParam == kTimerId) {
        OnTimerTick();
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC: {
      const std::intptr_t brush = Plug() ? Plug()->CtlColorHook(wParam, lParam, WM_CTLCOLORSTATIC) : 0;
      // A null brush is no answer: let the system colour the static as usual.
      if (brush) return brush;
      break;
    }
    case WM_MOUSEMOVE:
      OnMouseMoveMessage(x, y, detail::ModifiersFromKeyState(wParam), (wParam & (MK_LBUTTON | MK_RBUTTON)) != 0);
      return 0;
    case WM_RBUTTONDOWN:
      if (entryWindow_) {
        editState_ = kEditCancel;
        return 0;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      HideTooltip();
      if (entryWindow_) editState_ = kEditCommit;
      SetCapture(window);
      OnMouseDown(x, y, detail::ModifiersFromKeyState(wParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      ReleaseCapture();
      OnMouseUp(x, y, detail::ModifiersFromKeyState(wParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      if (OnMouseDoubleClick(x, y, detail::ModifiersFromKeyState(wParam))) SetCapture(window);
      return 0;
    case WM_MOUSEWHEEL: {
      RECT r;
      GetWindowRect(window, &r);
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      OnMouseWheel(x - r.left, y - r.top, detail::ModifiersFromKeyState(GET_KEYSTATE_WPARAM(wParam)), notches);
      return 0;
    }
    case WM_DROPFILES: {
      HDROP drop = reinterpret_cast<HDROP>(wParam);
      char name[MAX_PATH] = {};
      if (DragQueryFileA(drop, 0, name, MAX_PATH) > 0) {
        name[MAX_PATH - 1] = '\0';
        POINT p = {0, 0};
        DragQueryPoint(drop, &p);
        OnDrop(p.x, p.y, name);
      }
      DragFinish(drop);
      return 0;
    }
    case WM_MOUSEHOVER:
      ShowTooltip();
      return 0;
    case WM_MOUSELEAVE:
      HideTooltip();
      OnMouseOut();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void IGraphicsWin::OnMouseMoveMessage(int x, int y, const MouseModifiers& mods, bool buttonDown) {
  HWND window = AsWindow(editorWindow_);
  if (buttonDown) {
    if (GetCapture() == window) OnMouseDrag(x, y, mods);
    return;
  }
  if (!OnMouseOver(x, y, mods)) return;
  TRACKMOUSEEVENT track = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, HOVER_DEFAULT};
  if (TooltipsEnabled() && HoveredControl() != tooltipControl_) {
    tooltipControl_ = HoveredControl();
    HideTooltip();
    if (tooltipControl_ != -1) track.dwFlags |= TME_HOVER;
  }
  TrackMouseEvent(&track);
}

void IGraphicsWin::InvalidateAndUpdate(const PixelRect& rect) {
  HWND window = AsWindow(editorWindow_);
  const PixelRect pixels = Scale().ToWindow(rect);
  const RECT r = {pixels.left, pixels.top, pixels.right, pixels.bottom};
  InvalidateRect(window, &r, FALSE);
  if (entryWindow_) {
    // The entry lies on top of the controls; painting them must not cover it.
    RECT entry;
    GetClientRect(AsWindow(entryWindow_), &entry);
    MapWindowPoints(AsWindow(entryWindow_), window, reinterpret_cast<POINT*>(&entry), 2);
    ValidateRect(window, &entry);
  }
  UpdateWindow(window);
}

void IGraphicsWin::OnTimerTick() {
  ApplyOrDropEntry();
  // Applying the entry may have closed the window (a host reacting to the edit).
  if (!editorWindow_) return;
  CatchUpWithCore();
  PixelRect dirty;
  if (TimerRedraw() && CollectDirtyRect(&dirty)) InvalidateAndUpdate(dirty);
  if (editorWindow_ && AlwaysDirtyRect().Width() > 0) InvalidateAndUpdate(AlwaysDirtyRect());
  AdvanceWheelGestureCountdown();
}

}  // namespace quivorant
