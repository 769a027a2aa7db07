#include "vst3/EditorRunLoop.h"

#include "plug/EditorConnection.h"

namespace quivorant {

using namespace Steinberg;
using namespace Steinberg::Linux;

EditorRunLoop::EditorRunLoop(IRunLoop* loop, IEditorConnection* editor) : loop_(loop), editor_(editor) {
  loop_->addRef();
}

EditorRunLoop::~EditorRunLoop() { loop_->release(); }

EditorRunLoop* EditorRunLoop::Start(IRunLoop* loop, IEditorConnection* editor) {
  if (loop == nullptr || editor == nullptr) return nullptr;
  auto* link = new EditorRunLoop(loop, editor);
  const int fd = editor->WindowEventSource();
  if (fd >= 0) link->eventsRegistered_ = loop->registerEventHandler(link, fd) == kResultTrue;
  const int rate = editor->FrameRate() > 0 ? editor->FrameRate() : 1;
  link->timerRegistered_ = loop->registerTimer(link, TimerInterval(1000 / rate)) == kResultTrue;
  if ((fd >= 0 && !link->eventsRegistered_) || !link->timerRegistered_) {
    link->Stop();
    return nullptr;
  }
  return link;
}

void EditorRunLoop::Stop() {
  editor_ = nullptr;
  if (eventsRegistered_) loop_->unregisterEventHandler(this);
  if (timerRegistered_) loop_->unregisterTimer(this);
  eventsRegistered_ = timerRegistered_ = false;
  release();
}

// Both calls may end in the view's removal (a host that closes the editor on an edit), which
// stops this link: the extra reference keeps it alive until the call returns.
void PLUGIN_API EditorRunLoop::onFDIsSet(FileDescriptor) {
  addRef();
  if (editor_ != nullptr) editor_->DispatchWindowEvents();
  release();
}

void PLUGIN_API EditorRunLoop::onTimer() {
  addRef();
  if (editor_ != nullptr) editor_->TimerTick();
  release();
}

tresult PLUGIN_API EditorRunLoop::queryInterface(const TUID iid, void** obj) {
  if (obj == nullptr) return kInvalidArgument;
  if (FUnknownPrivate::iidEqual(iid, IEventHandler::iid) || FUnknownPrivate::iidEqual(iid, FUnknown::iid)) {
    *obj = static_cast<IEventHandler*>(this);
  } else if (FUnknownPrivate::iidEqual(iid, ITimerHandler::iid)) {
    *obj = static_cast<ITimerHandler*>(this);
  } else {
    *obj = nullptr;
    return kNoInterface;
  }
  addRef();
  return kResultOk;
}

uint32 PLUGIN_API EditorRunLoop::addRef() { return ++refs_; }

uint32 PLUGIN_API EditorRunLoop::release() {
  const uint32 left = --refs_;
  if (left == 0) delete this;
  return left;
}

}  // namespace quivorant
