// The editor's window events and timer on a Linux host's run loop: one small object that the
// loop calls back (descriptor readable, timer due) and that hands each call to the editor. The
// view starts it when it attaches and stops it when it is removed; a host that keeps its own
// reference after that reaches an object that no longer calls anything.
#pragma once

#include <atomic>

#include "vst3/sdk/interfaces/ilinuxrunloop.h"

namespace quivorant {

class IEditorConnection;

class EditorRunLoop final : public Steinberg::Linux::IEventHandler, public Steinberg::Linux::ITimerHandler {
public:
  // Registers the editor's descriptor (when it has one) and a timer of 1000 / frame rate ms;
  // null when the loop refuses either.
  static EditorRunLoop* Start(Steinberg::Linux::IRunLoop* loop, IEditorConnection* editor);
  // Unregisters both, forgets the editor and gives up our reference.
  void Stop();

  void PLUGIN_API onFDIsSet(Steinberg::Linux::FileDescriptor fd) override;
  void PLUGIN_API onTimer() override;

  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override;
  Steinberg::uint32 PLUGIN_API release() override;

private:
  EditorRunLoop(Steinberg::Linux::IRunLoop* loop, IEditorConnection* editor);
  ~EditorRunLoop();

  Steinberg::Linux::IRunLoop* loop_;
  IEditorConnection* editor_;
  bool eventsRegistered_ = false;
  bool timerRegistered_ = false;
  std::atomic<Steinberg::uint32> refs_{1};
};

}  // namespace quivorant
