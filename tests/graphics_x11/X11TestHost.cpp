#include "tests/graphics_x11/X11TestHost.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "raster/RasterMemBitmap.h"
#include "raster/RasterPngWriter.h"

namespace quivorant::test {

namespace {

double Now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

void Flush() { XSync(TestDisplay(), False); }

}  // namespace

Display* TestDisplay() {
  static Display* display = XOpenDisplay(nullptr);
  return display;
}

X11Frame::X11Frame(int x, int y, int width, int height) {
  Display* d = TestDisplay();
  if (!d) return;
  window = XCreateSimpleWindow(d, DefaultRootWindow(d), x, y, unsigned(width), unsigned(height), 0, 0,
                               BlackPixel(d, DefaultScreen(d)));
  XMapWindow(d, window);
  Flush();
}

X11Frame::~X11Frame() {
  if (window == 0) return;
  XDestroyWindow(TestDisplay(), window);
  Flush();
}

std::vector<Window> X11Frame::Children() const {
  std::vector<Window> out;
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (window != 0 && XQueryTree(TestDisplay(), window, &root, &parent, &children, &count)) {
    out.assign(children, children + count);
    if (children) XFree(children);
  }
  return out;
}

tresult PLUGIN_API TestRunLoop::registerEventHandler(Linux::IEventHandler* handler, Linux::FileDescriptor fd) {
  if (handler == nullptr || fd < 0) return kInvalidArgument;
  handlers_.push_back({handler, fd});
  return kResultTrue;
}

tresult PLUGIN_API TestRunLoop::unregisterEventHandler(Linux::IEventHandler* handler) {
  const auto gone =
      std::remove_if(handlers_.begin(), handlers_.end(), [&](const Handler& h) { return h.handler == handler; });
  const bool found = gone != handlers_.end();
  handlers_.erase(gone, handlers_.end());
  return found ? kResultTrue : kInvalidArgument;
}

tresult PLUGIN_API TestRunLoop::registerTimer(Linux::ITimerHandler* handler, Linux::TimerInterval ms) {
  if (handler == nullptr || ms == 0) return kInvalidArgument;
  timers_.push_back({handler, double(ms) / 1000.0, Now() + double(ms) / 1000.0});
  return kResultTrue;
}

tresult PLUGIN_API TestRunLoop::unregisterTimer(Linux::ITimerHandler* handler) {
  const auto gone =
      std::remove_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.handler == handler; });
  const bool found = gone != timers_.end();
  timers_.erase(gone, timers_.end());
  return found ? kResultTrue : kInvalidArgument;
}

void TestRunLoop::Pump(int waitMs) {
  std::vector<pollfd> fds;
  for (const Handler& h : handlers_) fds.push_back({h.fd, POLLIN, 0});
  poll(fds.data(), fds.size(), waitMs);
  // A callback may unregister anything: each is looked up again before it is called.
  for (const pollfd& p : fds) {
    if ((p.revents & POLLIN) == 0) continue;
    for (const Handler& h : handlers_) {
      if (h.fd == p.fd) {
        h.handler->onFDIsSet(p.fd);
        break;
      }
    }
  }
  const double now = Now();
  std::vector<Linux::ITimerHandler*> due;
  for (Timer& t : timers_) {
    if (t.due > now) continue;
    t.due = now + t.period;
    due.push_back(t.handler);
  }
  for (Linux::ITimerHandler* handler : due) {
    const bool registered =
        std::any_of(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.handler == handler; });
    if (registered) handler->onTimer();
  }
}

tresult PLUGIN_API RunLoopFrame::queryInterface(const TUID iid, void** obj) {
  if (FUnknownPrivate::iidEqual(iid, Linux::IRunLoop::iid)) {
    loop.addRef();
    *obj = static_cast<Linux::IRunLoop*>(&loop);
    return kResultOk;
  }
  return PlugFrame::queryInterface(iid, obj);
}

bool WaitFor(const std::function<bool()>& condition, const std::function<void()>& pump, int timeoutMs) {
  const double end = Now() + timeoutMs / 1000.0;
  while (!condition()) {
    if (Now() > end) return false;
    pump();
  }
  return true;
}

void MovePointer(Window window, int x, int y) {
  Display* d = TestDisplay();
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(d, window, DefaultRootWindow(d), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(d, DefaultScreen(d), rootX, rootY, CurrentTime);
  Flush();
}

void PressButton(unsigned button, bool down) {
  XTestFakeButtonEvent(TestDisplay(), button, down ? True : False, CurrentTime);
  Flush();
}

void Click(Window window, int x, int y, unsigned button) {
  MovePointer(window, x, y);
  PressButton(button, true);
  PressButton(button, false);
}

void HoldKey(KeySym modifier, bool down) {
  Display* d = TestDisplay();
  XTestFakeKeyEvent(d, XKeysymToKeycode(d, modifier), down ? True : False, CurrentTime);
  Flush();
}

void TapKey(KeySym key) {
  HoldKey(key, true);
  HoldKey(key, false);
}

void TypeText(const std::string& text) {
  // Printable Latin-1 characters are their own key symbols.
  for (char c : text) TapKey(KeySym(static_cast<unsigned char>(c)));
}

Capture CaptureWindow(Window window) {
  Capture out;
  Display* d = TestDisplay();
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(d, window, &attributes)) return out;
  XImage* image =
      XGetImage(d, window, 0, 0, unsigned(attributes.width), unsigned(attributes.height), AllPlanes, ZPixmap);
  if (!image) return out;
  // Xvfb's 24-bit screen: 8-bit channels in the order X, R, G, B.
  if (image->red_mask != 0xFF0000 || image->green_mask != 0xFF00 || image->blue_mask != 0xFF) {
    XDestroyImage(image);
    return out;
  }
  out.width = attributes.width;
  out.height = attributes.height;
  out.rgb.resize(std::size_t(out.width) * std::size_t(out.height));
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      out.rgb[std::size_t(y) * std::size_t(out.width) + std::size_t(x)] = std::uint32_t(p & 0xFFFFFF);
    }
  XDestroyImage(image);
  return out;
}

bool SavePng(const Capture& capture, const std::string& path) {
  quivorant::RasterMemBitmap bitmap(capture.width, capture.height, 4);
  quivorant::RasterPixel* pixels = bitmap.PixelData();
  if (!pixels) return false;
  for (int y = 0; y < capture.height; ++y)
    for (int x = 0; x < capture.width; ++x)
      pixels[std::size_t(y) * std::size_t(bitmap.RowSpan()) + std::size_t(x)] = 0xFF000000u | capture.At(x, y);
  return quivorant::SaveBitmapPng(&bitmap, path.c_str());
}

}  // namespace quivorant::test
