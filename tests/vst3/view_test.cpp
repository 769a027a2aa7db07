// The editor view in-process: the list of views and which one serves resize requests and
// parameter menus, the answers a host reads, attaching and removing with the effect's hooks in
// order, and views that outlive terminate or the host's reference to the instance. Also the
// gestures the editor's wheel makes, as the component handler sees them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/IGraphicsOffscreen.h"
#include "tests/support/Vst3Host.h"
#include "tests/vst3/GainEffect.h"
#include "vst3/sdk/interfaces/ivstcontextmenu.h"

namespace {

using namespace quivorant::test;
using quivorant::IEffectVST3View;

// The effect's editor-window hooks and the editor's window calls, in one record.
using HookLog = std::vector<std::string>;

// The editor framework's off-screen editor with a window stand-in: the parent handed to
// OpenWindow serves as the window, so each view's window can be told apart.
class WindowedEditor : public quivorant::IGraphicsOffscreen {
public:
  WindowedEditor(quivorant::IEffectBase* fx, HookLog& log) : IGraphicsOffscreen(fx, 395, 248), log_(log) {}
  void* OpenWindow(void* parent) override {
    log_.push_back("open");
    window_ = parent;
    return parent;
  }
  void CloseWindow() override {
    log_.push_back("close");
    window_ = nullptr;
  }
  void* GetWindow() override { return window_; }
  const char* WindowType() const override { return Steinberg::kPlatformTypeHWND; }

private:
  HookLog& log_;
  void* window_ = nullptr;
};

class EditorEffect : public GainEffect {
public:
  explicit EditorEffect(bool* destroyed = nullptr) : destroyed_(destroyed) {
    AttachGraphics(new WindowedEditor(this, hooks));
  }
  ~EditorEffect() override {
    if (destroyed_ != nullptr) *destroyed_ = true;
  }
  void EditorOpened() override { hooks.push_back("opened"); }
  void EditorClosing() override { hooks.push_back("closing"); }
  void EditorResized() override { hooks.push_back("resized"); }
  std::string Hooks() {
    std::string out;
    for (const std::string& h : hooks) out += (out.empty() ? "" : " ") + h;
    hooks.clear();
    return out;
  }
  HookLog hooks;

private:
  bool* destroyed_;
};

IEffectVST3View* NewView(IEffectVST3* e) { return static_cast<IEffectVST3View*>(e->createView("editor")); }

char parentA, parentB;  // addresses standing in for the host's windows

TEST(View, ViewsInCreationOrderAndTheFirstServesResizeRequests) {
  Held e(new EditorEffect);
  e->initialize(nullptr);
  EXPECT_EQ(e->createView("Editor"), nullptr);
  EXPECT_EQ(e->createView("editor "), nullptr);
  EXPECT_EQ(e->createView(nullptr), nullptr);
  IEffectVST3View* first = NewView(e.effect);
  IEffectVST3View* second = NewView(e.effect);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(e->Views(), (std::vector<IEffectVST3View*>{first, second}));

  PlugFrame frameA, frameB;
  e->ResizeEditor(400, 300);  // no frame yet: nothing to ask, nothing pending
  EXPECT_FALSE(first->ResizeRequested());
  first->setFrame(&frameA);
  second->setFrame(&frameB);
  e->ResizeEditor(400, 300);
  EXPECT_EQ(frameA.requests, 1);
  EXPECT_EQ(frameB.requests, 0);
  EXPECT_EQ(frameA.lastView, first);
  EXPECT_EQ(frameA.lastSize.left, 0);
  EXPECT_EQ(frameA.lastSize.top, 0);
  EXPECT_EQ(frameA.lastSize.right, 400);
  EXPECT_EQ(frameA.lastSize.bottom, 300);
  EXPECT_EQ(e->Hooks(), "resized");  // the frame answered with onSize
  EXPECT_FALSE(first->ResizeRequested());

  // A host that answers later: the request waits for the next onSize, and only that one.
  frameA.answerWithOnSize = false;
  e->ResizeEditor(405, 305);
  EXPECT_TRUE(first->ResizeRequested());
  EXPECT_EQ(e->Hooks(), "");
  ViewRect answer(0, 0, 405, 305);
  EXPECT_EQ(first->onSize(&answer), kResultOk);
  EXPECT_EQ(e->Hooks(), "resized");
  EXPECT_EQ(first->getRect().right, 405);
  first->onSize(&answer);
  EXPECT_EQ(e->Hooks(), "");

  // A frame that refuses gets no pending request: the host's next own onSize is not an answer.
  frameA.refuse = true;
  e->ResizeEditor(410, 310);
  EXPECT_FALSE(first->ResizeRequested());
  ViewRect hostSize(0, 0, 410, 310);
  first->onSize(&hostSize);
  EXPECT_EQ(e->Hooks(), "");

  first->release();
  EXPECT_EQ(e->Views(), (std::vector<IEffectVST3View*>{second}));
  e->ResizeEditor(420, 320);
  EXPECT_EQ(frameB.requests, 1);
  EXPECT_EQ(frameB.lastView, second);
  EXPECT_EQ(frameB.lastSize.right, 420);
  EXPECT_EQ(frameA.RefCount(), 1u);  // the destroyed view let go of its frame
  second->release();
  EXPECT_TRUE(e->Views().empty());
  EXPECT_EQ(frameB.RefCount(), 1u);
}

TEST(View, AnswersAHostReads) {
  Held e(new EditorEffect);
  e->initialize(nullptr);
  IEffectVST3View* view = NewView(e.effect);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->isPlatformTypeSupported("HWND"), kResultTrue);
  for (const char* other : {"hwnd", "X11EmbedWindowID", "NSView", "HWND ", ""})
    EXPECT_EQ(view->isPlatformTypeSupported(other), kResultFalse) << other;
  EXPECT_EQ(view->isPlatformTypeSupported(nullptr), kResultFalse);

  ViewRect size(1, 2, 3, 4);
  ASSERT_EQ(view->getSize(&size), kResultOk);
  EXPECT_EQ(size.left, 0);
  EXPECT_EQ(size.top, 0);
  EXPECT_EQ(size.right, 395);
  EXPECT_EQ(size.bottom, 248);
  EXPECT_EQ(view->getSize(nullptr), kInvalidArgument);

  // Without a pending request onSize only stores the rectangle.
  ViewRect moved(10, 20, 405, 268);
  EXPECT_EQ(view->onSize(&moved), kResultOk);
  EXPECT_EQ(view->getRect().left, 10);
  EXPECT_EQ(view->getRect().bottom, 268);
  EXPECT_EQ(view->onSize(nullptr), kInvalidArgument);
  EXPECT_EQ(e->Hooks(), "");

  // Keys and wheel reach the editor through its own window; the user cannot resize it.
  EXPECT_EQ(view->onWheel(1.0f), kResultFalse);
  EXPECT_EQ(view->onKeyDown(u'a', 0, 0), kResultFalse);
  EXPECT_EQ(view->onKeyUp(u'a', 0, 0), kResultFalse);
  EXPECT_EQ(view->onFocus(true), kResultFalse);
  EXPECT_EQ(view->canResize(), kResultFalse);
  EXPECT_EQ(view->checkSizeConstraint(&size), kResultFalse);

  EXPECT_STREQ(view->isA(), "CPluginView");
  EXPECT_TRUE(view->isTypeOf("FObject"));
  EXPECT_FALSE(view->isTypeOf("FObject", false));
  void* asView = nullptr;
  ASSERT_EQ(view->queryInterface(IPluginView::iid, &asView), kResultOk);
  EXPECT_EQ(asView, static_cast<IPluginView*>(view));
  view->release();
  view->release();
}

TEST(View, AttachedAndRemovedOpenAndCloseTheEditorWindowOnce) {
  Held e(new EditorEffect);
  e->initialize(nullptr);
  IEffectVST3View* view = NewView(e.effect);
  ASSERT_NE(view, nullptr);

  // Only a Windows parent window can take the editor; nothing opens for anything else.
  EXPECT_EQ(view->attached(&parentA, "X11EmbedWindowID"), kResultFalse);
  EXPECT_EQ(view->attached(&parentA, nullptr), kResultFalse);
  EXPECT_EQ(e->Hooks(), "");
  // Without a parent there is nothing to open in: refused before the editor is asked.
  EXPECT_EQ(view->attached(nullptr, "HWND"), kResultFalse);
  EXPECT_EQ(e->Hooks(), "");
  EXPECT_FALSE(view->EditorOpen());

  ASSERT_EQ(view->attached(&parentA, "HWND"), kResultOk);
  EXPECT_EQ(e->Hooks(), "open opened");
  EXPECT_EQ(view->getSystemWindow(), &parentA);
  EXPECT_EQ(view->removed(), kResultOk);
  EXPECT_EQ(e->Hooks(), "closing close");
  EXPECT_EQ(view->getSystemWindow(), nullptr);
  EXPECT_EQ(view->removed(), kResultOk);  // twice: nothing left to close
  EXPECT_EQ(e->Hooks(), "");

  // Attached twice without removed: the effect hears the first opening close, and the window
  // moves to the new parent.
  ASSERT_EQ(view->attached(&parentA, "HWND"), kResultOk);
  ASSERT_EQ(view->attached(&parentB, "HWND"), kResultOk);
  EXPECT_EQ(e->Hooks(), "open opened closing open opened");
  EXPECT_EQ(view->getSystemWindow(), &parentB);

  // Released while attached: the window does not stay behind in the host's parent.
  view->release();
  EXPECT_EQ(e->Hooks(), "closing close");
  EXPECT_TRUE(e->Views().empty());
}

TEST(View, TwoViewsShareOneEditorWindow) {
  Held e(new EditorEffect);
  e->initialize(nullptr);
  IEffectVST3View* a = NewView(e.effect);
  IEffectVST3View* b = NewView(e.effect);
  ASSERT_EQ(a->attached(&parentA, "HWND"), kResultOk);
  ASSERT_EQ(b->attached(&parentB, "HWND"), kResultOk);  // the editor moves to b's parent
  EXPECT_EQ(e->Hooks(), "open opened closing open opened");
  // Removing a must not close the window that b now shows, nor tell the effect anything.
  a->removed();
  EXPECT_EQ(e->Hooks(), "");
  b->removed();
  EXPECT_EQ(e->Hooks(), "closing close");
  a->release();
  b->release();
}

TEST(View, AViewOutlivesTerminateAndTheHostsReferenceToTheInstance) {
  bool destroyed = false;
  auto* e = new EditorEffect(&destroyed);
  e->initialize(nullptr);
  IEffectVST3View* view = NewView(e);
  ASSERT_EQ(view->attached(&parentA, "HWND"), kResultOk);
  e->terminate();
  EXPECT_TRUE(e->Views().empty());
  EXPECT_EQ(e->release(), 1u);  // the view still holds the instance
  EXPECT_FALSE(destroyed);
  ViewRect size;
  EXPECT_EQ(view->getSize(&size), kResultOk);
  EXPECT_EQ(size.right, 395);
  EXPECT_EQ(view->removed(), kResultOk);
  EXPECT_EQ(view->release(), 0u);
  EXPECT_TRUE(destroyed);
}

std::string Gestures(const ComponentHandler& handler) {
  std::string out;
  for (const ComponentHandler::Call& c : handler.calls) {
    if (c.kind == 'r') continue;
    if (!out.empty()) out += ' ';
    out += c.kind;
    out += std::to_string(c.id);
  }
  return out;
}

TEST(EditorGestures, WheelStepsOnOneParameterFormOneGesture) {
  ComponentHandler handler;
  Held e(new EditorEffect);
  e->initialize(nullptr);
  e->setComponentHandler(&handler);
  // What the editor does for each wheel notch: hook, value, deferred end.
  auto notch = [&](int param, double value) {
    e->WheelEditHook(param);
    e->SetParamFromEditor(param, value);
    e->EndParamGestureDeferred(param);
  };
  notch(0, 0.5);
  notch(0, 0.6);
  notch(0, 0.7);
  EXPECT_EQ(Gestures(handler), "b0 p0 p0 p0");
  e->FlushDeferredGesture();  // the editor's timer ran out
  EXPECT_EQ(Gestures(handler), "b0 p0 p0 p0 e0");

  // Another parameter's wheel, or a drag, closes the waiting gesture before opening its own.
  handler.calls.clear();
  notch(0, 0.8);
  notch(1, 0.5);
  EXPECT_EQ(Gestures(handler), "b0 p0 e0 b1 p1");
  e->BeginParamEdit(1);
  e->EndParamEdit(1);
  EXPECT_EQ(Gestures(handler), "b0 p0 e0 b1 p1 e1 b1 e1");
  e->FlushDeferredGesture();  // nothing left waiting
  EXPECT_EQ(Gestures(handler), "b0 p0 e0 b1 p1 e1 b1 e1");
}

class Menu : public HostObject<IContextMenu> {
public:
  int32 PLUGIN_API getItemCount() override { return 0; }
  tresult PLUGIN_API getItem(int32, Item&, IContextMenuTarget**) override { return kResultFalse; }
  tresult PLUGIN_API addItem(const Item&, IContextMenuTarget*) override { return kResultOk; }
  tresult PLUGIN_API removeItem(const Item&, IContextMenuTarget*) override { return kResultOk; }
  tresult PLUGIN_API popup(UCoord x, UCoord y) override {
    popX = x;
    popY = y;
    return kResultOk;
  }
  UCoord popX = -1, popY = -1;
};

// A component handler that also offers context menus.
class MenuHandler : public ComponentHandler, public IComponentHandler3 {
public:
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override {
    if (FUnknownPrivate::iidEqual(iid, IComponentHandler3::iid)) {
      ComponentHandler::addRef();
      *obj = static_cast<IComponentHandler3*>(this);
      return kResultOk;
    }
    return ComponentHandler::queryInterface(iid, obj);
  }
  uint32 PLUGIN_API addRef() override { return ComponentHandler::addRef(); }
  uint32 PLUGIN_API release() override { return ComponentHandler::release(); }
  IContextMenu* PLUGIN_API createContextMenu(IPluginView* view, const ParamID* id) override {
    menuView = view;
    menuParam = id != nullptr ? *id : kNoParamId;
    menu.addRef();
    return &menu;
  }
  Menu menu;
  IPluginView* menuView = nullptr;
  ParamID menuParam = 0;
};

TEST(View, ParameterMenusOpenOverTheFirstView) {
  MenuHandler handler;
  Held e(new EditorEffect);
  e->initialize(nullptr);
  e->setComponentHandler(&handler);
  e->HostParamMenu(2, 17, 23);  // no view: no menu
  EXPECT_EQ(handler.menuView, nullptr);
  IEffectVST3View* first = NewView(e.effect);
  IEffectVST3View* second = NewView(e.effect);
  e->HostParamMenu(2, 17, 23);
  EXPECT_EQ(handler.menuView, static_cast<IPluginView*>(first));
  EXPECT_EQ(handler.menuParam, 2u);
  EXPECT_EQ(handler.menu.popX, 17);
  EXPECT_EQ(handler.menu.popY, 23);
  EXPECT_EQ(handler.menu.RefCount(), 1u);  // the menu was released
  EXPECT_EQ(handler.RefCount(), 2u);       // only the handler reference itself is kept
  first->release();
  second->release();
}

}  // namespace
