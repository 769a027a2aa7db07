#include "tests/vst3/editor/EditorSession.h"

#include "tests/graphics_win/HostFrame.h"
#include "tests/graphics_win/WindowInput.h"
#include "tests/support/Vst3Module.h"

namespace quivorant::test {

namespace {
ModuleLoader& Loader() {
  static ModuleLoader loader;
  static const bool loaded = loader.Load(ModuleUnderTest());
  (void)loaded;
  return loader;
}
}  // namespace

IPluginFactory* EditorModuleFactory() { return Loader().Factory(); }

HINSTANCE EditorModuleInstance() {
  HMODULE module = nullptr;
  // Any exported function lies inside the module; its address names it.
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     static_cast<LPCSTR>(Loader().Symbol("GetPluginFactory")), &module);
  return module;
}

bool EditorWindowClassRegistered() {
  WNDCLASSA info = {};
  return GetClassInfoA(EditorModuleInstance(), kEditorWindowClass, &info) != 0;
}

EditorSession::EditorSession(IPluginFactory* factory, HWND parentWindow)
    : session(factory, &application), parent(parentWindow) {
  if (!session.Valid()) return;
  session.controller->setComponentHandler(&handler);
  view = session.controller->createView("editor");
  if (view != nullptr) view->setFrame(&frame);
}

EditorSession::~EditorSession() { ReleaseView(); }

tresult EditorSession::Attach() {
  if (view == nullptr) return kResultFalse;
  const tresult result = view->attached(parent, kPlatformTypeHWND);
  window = FindWindowExA(parent, nullptr, kEditorWindowClass, nullptr);
  return result;
}

tresult EditorSession::Remove() {
  if (view == nullptr) return kResultFalse;
  const tresult result = view->removed();
  window = nullptr;
  return result;
}

void EditorSession::ReleaseView() {
  if (view == nullptr) return;
  view->removed();
  view->setFrame(nullptr);
  view->release();
  view = nullptr;
  window = nullptr;
}

std::string EditorSession::Display(ParamID id) {
  String128 text{};
  session.controller->getParamStringByValue(id, Normalized(id), text);
  return Narrow(text);
}

std::string EditorSession::Gestures(ParamID id) const { return handler.Gestures(id); }

std::vector<ParamValue> EditorSession::Performed(ParamID id) const { return handler.Performed(id); }

void Vst3Editor::SetUp() {
  factory = EditorModuleFactory();
  ASSERT_NE(factory, nullptr) << "the module did not load";
  frame = quivorant::test::SharedHostFrame();
  ASSERT_NE(frame, nullptr);
}

void Vst3Editor::TearDown() {
  if (factory != nullptr) factory->release();
}

void EditorSession::Tick(int count) const { quivorant::test::SendTicks(window, kEditorTimerId, count); }

}  // namespace quivorant::test
