// The X11 editor window's life: opening inside the host's window, closing, presenting the draw
// bitmap, the timer tick, the host's wheel, the drawn value entry and opening a web address.
#include "graphics/x11/detail/X11Connection.h"

#include <X11/Xatom.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "graphics/x11/BrowserLaunch.h"
#include "graphics/x11/detail/XftDpi.h"
#include "plug/IEffectBase.h"
#include "raster/RasterSysBitmap.h"

namespace quivorant {

namespace x11 {

namespace {
int trappedErrors = 0;
int CountError(Display*, XErrorEvent*) {
  ++trappedErrors;
  return 0;
}
}  // namespace

ErrorTrap::ErrorTrap(Display* display)
    : display_(display), previous_(XSetErrorHandler(CountError)), errorsBefore_(trappedErrors) {}

ErrorTrap::~ErrorTrap() {
  XSync(display_, False);
  XSetErrorHandler(previous_);
}

bool ErrorTrap::Failed() {
  XSync(display_, False);
  return trappedErrors != errorsBefore_;
}

}  // namespace x11

namespace {

int ShiftOf(unsigned long mask) {
  int shift = 0;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

bool IsByteChannel(unsigned long mask) { return mask != 0 && (mask >> ShiftOf(mask)) == 0xFF; }

double NowSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// An image of width x height for the window's visual, over memory of our own.
XImage* CreateImage(Display* display, Visual* visual, int depth, int width, int height) {
  char* pixels = static_cast<char*>(std::calloc(size_t(width) * size_t(height), 4));
  XImage* image = pixels ? XCreateImage(display, visual, unsigned(depth), ZPixmap, 0, pixels, unsigned(width),
                                        unsigned(height), 32, 0)
                         : nullptr;
  if (!image) std::free(pixels);
  return image;
}

// XEmbed: a client announces its protocol version and that it wants to be shown.
void AnnounceEmbedding(Display* display, Window window) {
  const Atom info = XInternAtom(display, "_XEMBED_INFO", False);
  const long data[2] = {0, 1};
  XChangeProperty(display, window, info, info, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(data), 2);
}

}  // namespace

IGraphicsX11::IGraphicsX11(IEffectBase* plug, int width, int height, int frameRate)
    : IGraphicsOffscreen(plug, width, height, frameRate), prompts_(*this) {}

IGraphicsX11::~IGraphicsX11() {
  ReleaseConnection();
  // The prompts are controls of this editor: they go before the list is torn down.
  prompts_.DropAll();
}

void* IGraphicsX11::GetWindow() {
  return x_ ? reinterpret_cast<void*>(static_cast<std::uintptr_t>(x_->window)) : nullptr;
}

bool IGraphicsX11::Showing() const { return x_ && x_->window && !x_->gone; }

void* IGraphicsX11::OpenWindow(void* parent) {
  if (x_) CloseWindow();
  const Window parentWindow = static_cast<Window>(reinterpret_cast<std::uintptr_t>(parent));
  if (parentWindow == 0) return nullptr;
  auto x = std::make_unique<Connection>();
  x->display = XOpenDisplay(nullptr);
  if (!x->display) return nullptr;
  x->parent = parentWindow;
  // The desktop's chosen resolution sets the size, unless the host gave a scale of its own.
  const bool rescaled = SetScreenScale(x11::XftDpi(x->display) / x11::kBaseDpi);
  bool usable = false;
  {
    x11::ErrorTrap trap(x->display);
    XWindowAttributes parentAttributes{};
    if (XGetWindowAttributes(x->display, parentWindow, &parentAttributes) && !trap.Failed() &&
        parentAttributes.visual->c_class == TrueColor) {
      Visual* visual = parentAttributes.visual;
      XSetWindowAttributes attributes{};
      // No background: every exposed pixel is ours to paint, so nothing flickers.
      attributes.background_pixmap = None;
      attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                              EnterWindowMask | LeaveWindowMask | FocusChangeMask | StructureNotifyMask;
      x->window = XCreateWindow(x->display, parentWindow, 0, 0, unsigned(WindowWidth()), unsigned(WindowHeight()), 0,
                                parentAttributes.depth, InputOutput, visual, CWBackPixmap | CWEventMask, &attributes);
      x->visual = visual;
      x->depth = parentAttributes.depth;
      x->image = CreateImage(x->display, visual, x->depth, WindowWidth(), WindowHeight());
      if (x->window && x->image && !trap.Failed()) {
        x->redShift = ShiftOf(visual->red_mask);
        x->greenShift = ShiftOf(visual->green_mask);
        x->blueShift = ShiftOf(visual->blue_mask);
        x->direct = x->image->bits_per_pixel == 32 && IsByteChannel(visual->red_mask) &&
                    IsByteChannel(visual->green_mask) && IsByteChannel(visual->blue_mask);
        // Rows are written as native 32-bit words; Xlib swaps them if the server wants it.
        const std::uint16_t probe = 1;
        x->image->byte_order = *reinterpret_cast<const unsigned char*>(&probe) == 1 ? LSBFirst : MSBFirst;
        x->gc = XCreateGC(x->display, x->window, 0, nullptr);
        AnnounceEmbedding(x->display, x->window);
        XMapWindow(x->display, x->window);
        usable = x->gc != nullptr && !trap.Failed();
      }
    }
  }
  x_ = std::move(x);
  if (!usable) {
    ReleaseConnection();
    return nullptr;
  }
  lastTickSeconds_ = NowSeconds();
  MarkAllDirty();
  if (rescaled && Plug()) Plug()->ResizeEditor(WindowWidth(), WindowHeight());
  return GetWindow();
}

void IGraphicsX11::CloseWindow() {
  if (!x_) return;
  // A wheel gesture still waiting, or a drag whose release will never come, ends now, toward a
  // host that is still listening (the destructor runs when it no longer is).
  if (WheelGestureTicksLeft() > 0) {
    if (Plug()) Plug()->FlushDeferredGesture();
    ClearWheelGestureTicks();
  }
  EndMouseGesture();
  ReleaseConnection();
}

void IGraphicsX11::ReleaseConnection() {
  if (!x_) return;
  // An entry or a message dies with the window; what was typed is not applied.
  prompts_.DropAll();
  DropMouseCapture();
  std::unique_ptr<Connection> x = std::move(x_);
  {
    // The host may have destroyed our parent (and with it our window) already.
    x11::ErrorTrap trap(x->display);
    if (x->image) XDestroyImage(x->image);
    if (x->gc) XFreeGC(x->display, x->gc);
    if (x->window && !x->gone) XDestroyWindow(x->display, x->window);
  }
  XCloseDisplay(x->display);
}

bool IGraphicsX11::Present(const PixelRect& rect) {
  if (!IGraphicsOffscreen::Present(rect)) return false;
  RasterSysBitmap* draw = DrawBitmapSurface();
  if (!Showing() || !draw) return true;
  const PixelRect area = rect.Intersection(PixelRect(0, 0, WindowWidth(), WindowHeight()));
  if (area.Width() <= 0 || area.Height() <= 0) return true;
  Connection& x = *x_;
  const RasterPixel* source = draw->PixelData();
  const int span = draw->RowSpan();
  for (int row = area.top; row < area.bottom; ++row) {
    const RasterPixel* from = source + size_t(row) * size_t(span);
    if (x.direct) {
      auto* to = reinterpret_cast<std::uint32_t*>(x.image->data + size_t(row) * size_t(x.image->bytes_per_line));
      for (int col = area.left; col < area.right; ++col) {
        const std::uint32_t p = from[col];
        to[col] = ((p >> 16 & 0xFF) << x.redShift) | ((p >> 8 & 0xFF) << x.greenShift) | ((p & 0xFF) << x.blueShift);
      }
    } else {
      for (int col = area.left; col < area.right; ++col) {
        const std::uint32_t p = from[col];
        XPutPixel(x.image, col, row,
                  ((p >> 16 & 0xFF) << x.redShift) | ((p >> 8 & 0xFF) << x.greenShift) | ((p & 0xFF) << x.blueShift));
      }
    }
  }
  x11::ErrorTrap trap(x.display);
  XPutImage(x.display, x.window, x.gc, x.image, area.left, area.top, area.left, area.top, unsigned(area.Width()),
            unsigned(area.Height()));
  return true;
}

void IGraphicsX11::Resize(int width, int height) {
  // The controls go, the prompts with them; an open window keeps its id and connection (the
  // host knows both) and gets a new size and a new image.
  prompts_.DropAll();
  DropMouseCapture();
  IGraphicsOffscreen::Resize(width, height);
  ResizeWindow();
}

void IGraphicsX11::WindowScaleChanged() {
  IGraphicsOffscreen::WindowScaleChanged();
  ResizeWindow();
}

void IGraphicsX11::ResizeWindow() {
  if (!x_) return;
  Connection& x = *x_;
  x11::ErrorTrap trap(x.display);
  XImage* image = CreateImage(x.display, x.visual, x.depth, WindowWidth(), WindowHeight());
  if (image) {
    image->byte_order = x.image->byte_order;
    XDestroyImage(x.image);
    x.image = image;
  }
  if (!x.gone) XResizeWindow(x.display, x.window, unsigned(WindowWidth()), unsigned(WindowHeight()));
}

int IGraphicsX11::WindowEventSource() { return x_ ? ConnectionNumber(x_->display) : -1; }

void IGraphicsX11::DispatchWindowEvents() {
  // Handling an event may close the window and its connection (a host reacting to an edit);
  // the requests made on the way trap their own errors.
  while (x_ && XPending(x_->display) > 0) {
    XEvent event;
    XNextEvent(x_->display, &event);
    HandleEvent(&event);
  }
}

void IGraphicsX11::TimerTick() {
  lastTickSeconds_ = NowSeconds();
  // Events Xlib already read from the connection leave nothing for the host's loop to see.
  DispatchWindowEvents();
  prompts_.Settle();
  CollectBrowser();
  Tick();
  if (x_) XFlush(x_->display);
}

void IGraphicsX11::Idle() {
  if (NowSeconds() - lastTickSeconds_ >= 1.0 / FrameRate())
    TimerTick();
  else
    DispatchWindowEvents();
}

void IGraphicsX11::PromptParamEntry(IControl* control, IParamRecord* param, bool compact) {
  if (!Showing()) return;
  prompts_.OpenEntry(control, param, compact);
}

bool IGraphicsX11::HostMouseWheel(float distance) {
  if (!Showing()) return false;
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned int mask = 0;
  if (!XQueryPointer(x_->display, x_->window, &root, &child, &rootX, &rootY, &x, &y, &mask)) return false;
  if (x < 0 || y < 0 || x >= WindowWidth() || y >= WindowHeight()) return false;
  MouseModifiers mods;
  mods.shift = (mask & ShiftMask) != 0;
  mods.control = (mask & ControlMask) != 0;
  mods.alt = (mask & Mod1Mask) != 0;
  OnMouseWheel(x, y, mods, int(distance));
  return true;
}

// ---- web address ----------------------------------------------------------------------------
// Both boxes are the editor's own, so the answer arrives later: with a confirmation this
// answers false (nothing opened yet) and the launch follows the user's Yes.

bool IGraphicsX11::OpenUrl(const char* url, const char* title, const char* confirmText, const char* errorText) {
  if (!Showing() || !url) return false;
  if (confirmText) {
    const std::string address = url;
    const std::string heading = title ? title : "";
    const std::string failure = errorText ? errorText : "";
    const bool reportFailure = errorText != nullptr;
    prompts_.ShowMessage(title, confirmText, IMessageBox::kYesNo, [this, address, heading, failure, reportFailure] {
      LaunchBrowser(address.c_str(), heading.c_str(), reportFailure ? failure.c_str() : nullptr);
    });
    return false;
  }
  return LaunchBrowser(url, title, errorText);
}

bool IGraphicsX11::LaunchBrowser(const char* url, const char* title, const char* errorText) {
  // One launch at a time: an earlier one that is still running is left to finish.
  CollectBrowser();
  const int pid = browserPid_ < 0 ? StartBrowser(url) : -1;
  if (pid < 0) {
    if (errorText && browserPid_ < 0) prompts_.ShowMessage(title, errorText, IMessageBox::kOk);
    return false;
  }
  browserPid_ = pid;
  browserTitle_ = title ? title : "";
  browserError_ = errorText ? errorText : "";
  return true;
}

void IGraphicsX11::CollectBrowser() {
  if (browserPid_ < 0) return;
  const LaunchOutcome outcome = PollBrowser(browserPid_);
  if (outcome == LaunchOutcome::kRunning) return;
  browserPid_ = -1;
  if (outcome == LaunchOutcome::kFailed && !browserError_.empty() && Showing()) {
    prompts_.ShowMessage(browserTitle_.c_str(), browserError_.c_str(), IMessageBox::kOk);
  }
}

}  // namespace quivorant
