// One instance of the built VST3 module with its editor in a frame of the X11 test host, shown
// the way a Linux host shows it: the view's frame lends a run loop, attached gets the frame's
// window id as "X11EmbedWindowID". Gestures the host hears and the editor's window are at hand.
#pragma once

#include <string>

#include "tests/graphics_x11/X11TestHost.h"
#include "tests/support/Vst3Session.h"

namespace quivorant::test {

using Steinberg::Vst::ParamID;

// The module under test, loaded once for the process; the caller releases the factory.
IPluginFactory* Vst3Factory();

class Vst3X11Editor {
public:
  Vst3X11Editor(IPluginFactory* factory, X11Frame& frame);
  // Removes and releases the view, then terminates and releases the instance.
  ~Vst3X11Editor();
  Vst3X11Editor(const Vst3X11Editor&) = delete;
  Vst3X11Editor& operator=(const Vst3X11Editor&) = delete;

  tresult Attach();
  tresult Remove();
  // Serves the run loop once (waiting up to waitMs for events).
  void Pump(int waitMs = 5) { plugFrame.loop.Pump(waitMs); }
  // Pumps until condition holds (at most three seconds).
  bool PumpUntil(const std::function<bool()>& condition);
  // Pumps for about `ms` milliseconds: for checks that nothing (more) happens.
  void PumpFor(int ms);
  // The editor's window inside the frame (0 when none).
  Window EditorWindow() const;

  double Normalized(ParamID id) { return session.controller->getParamNormalized(id); }
  double Plain(ParamID id) { return session.controller->normalizedParamToPlain(id, Normalized(id)); }
  std::string DisplayText(ParamID id);
  std::string Gestures(ParamID id) const { return handler.Gestures(id); }

  X11Frame& frame;
  quivorant::test::HostApplication application{u"X11 Test Host"};
  quivorant::test::ComponentHandler handler;
  RunLoopFrame plugFrame;
  quivorant::test::PluginSession session;
  IPluginView* view = nullptr;
};

}  // namespace quivorant::test
