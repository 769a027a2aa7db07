#include "tests/graphics_x11/X11EditorSession.h"

#include <chrono>

#include "tests/support/Vst3Module.h"

namespace quivorant::test {

IPluginFactory* Vst3Factory() {
  static quivorant::test::ModuleLoader loader;
  static const bool loaded = loader.Load(quivorant::test::ModuleUnderTest());
  return loaded ? loader.Factory() : nullptr;
}

Vst3X11Editor::Vst3X11Editor(IPluginFactory* factory, X11Frame& hostFrame)
    : frame(hostFrame), session(factory, &application) {
  if (!session.Valid()) return;
  session.controller->setComponentHandler(&handler);
  view = session.controller->createView("editor");
  if (view != nullptr) view->setFrame(&plugFrame);
}

Vst3X11Editor::~Vst3X11Editor() {
  if (view != nullptr) {
    view->removed();
    view->setFrame(nullptr);
    view->release();
  }
  if (session.component != nullptr) session.component->terminate();
}

tresult Vst3X11Editor::Attach() {
  return view != nullptr ? view->attached(frame.Handle(), kPlatformTypeX11EmbedWindowID) : kResultFalse;
}

tresult Vst3X11Editor::Remove() { return view != nullptr ? view->removed() : kResultFalse; }

bool Vst3X11Editor::PumpUntil(const std::function<bool()>& condition) {
  return WaitFor(condition, [this] { Pump(); });
}

void Vst3X11Editor::PumpFor(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) Pump();
}

Window Vst3X11Editor::EditorWindow() const {
  const std::vector<Window> children = frame.Children();
  return children.empty() ? 0 : children.front();
}

std::string Vst3X11Editor::DisplayText(ParamID id) {
  Steinberg::Vst::String128 text{};
  session.controller->getParamStringByValue(id, Normalized(id), text);
  return quivorant::test::Narrow(text);
}

}  // namespace quivorant::test
