// One instance of the built VST3 module with its editor shown the way a host shows it: created
// through the module's factory, a component handler and a plug frame set, the controller's
// "editor" view attached to a window of the host. What the host hears back (gestures) and the
// editor's own window are at hand for the tests.
#pragma once

#include "graphics/win/detail/WindowsApi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/Vst3Host.h"
#include "tests/support/Vst3Session.h"

namespace quivorant::test {

inline constexpr const char* kEditorWindowClass = "IEffectWndClass";
inline constexpr UINT_PTR kEditorTimerId = 2;

// The module under test, loaded once for the process (a load costs Wine a while); null when it
// cannot be loaded. The caller releases the factory.
IPluginFactory* EditorModuleFactory();
// The loaded module's handle: the instance its window class is registered with.
HINSTANCE EditorModuleInstance();
bool EditorWindowClassRegistered();

class EditorSession {
public:
  EditorSession(IPluginFactory* factory, HWND parent);
  // Removes and releases the view (if still held), then terminates and releases the instance.
  ~EditorSession();
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  // The view's attached with the parent as "HWND"; window is the editor's child window then.
  tresult Attach();
  tresult Remove();
  // The host lets go of the view (whether attached or not).
  void ReleaseView();

  double Normalized(ParamID id) { return session.controller->getParamNormalized(id); }
  double Plain(ParamID id) { return session.controller->normalizedParamToPlain(id, Normalized(id)); }
  std::string Display(ParamID id);
  // The handler's begin (b), perform (p) and end (e) calls for one parameter, in order, with a
  // run of performs written once: "b p e" is one whole gesture.
  std::string Gestures(ParamID id) const;
  std::vector<ParamValue> Performed(ParamID id) const;
  // Editor timer ticks, delivered by hand so tests count them.
  void Tick(int count = 1) const;

  HostApplication application{u"Editor Test Host"};
  ComponentHandler handler;
  PlugFrame frame;
  PluginSession session;
  IPluginView* view = nullptr;
  HWND parent;
  HWND window = nullptr;
};

// Tests get the module's factory and the host's window, one for the whole run.
class Vst3Editor : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  IPluginFactory* factory = nullptr;
  HWND frame = nullptr;
};

}  // namespace quivorant::test
