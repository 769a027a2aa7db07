#include "vst3/IEffectVST3View.h"

#include <cstring>

#include "vst3/EditorRunLoop.h"
#include "vst3/IEffectVST3.h"

namespace quivorant {

using namespace Steinberg;

IEffectVST3View::IEffectVST3View(IEffectVST3* effect) : effect_(effect) { effect_->addRef(); }

IEffectVST3View::~IEffectVST3View() {
  // A host that releases an attached view without removing it first would leave our window
  // (and its timer) inside its parent window.
  CloseEditor();
  effect_->ForgetView(this);
  effect_->release();  // may be the last reference: nothing of the instance is touched after it
}

bool IEffectVST3View::SupportsType(FIDString type) const {
  const IEditorConnection* editor = effect_->Editor();
  const char* ours = editor != nullptr ? editor->WindowType() : nullptr;
  return ours != nullptr && type != nullptr && std::strcmp(type, ours) == 0;
}

tresult PLUGIN_API IEffectVST3View::isPlatformTypeSupported(FIDString type) {
  return SupportsType(type) ? kResultTrue : kResultFalse;
}

Linux::IRunLoop* IEffectVST3View::FindRunLoop() const {
  FUnknown* sources[2] = {getFrame(), effect_->getHostContext()};
  for (FUnknown* source : sources) {
    void* loop = nullptr;
    if (source != nullptr && source->queryInterface(Linux::IRunLoop::iid, &loop) == kResultOk && loop != nullptr)
      return static_cast<Linux::IRunLoop*>(loop);
  }
  return nullptr;
}

tresult PLUGIN_API IEffectVST3View::attached(void* parent, FIDString type) {
  // Only a window of the one supported platform can hold the editor; answering ok for any
  // other would tell the host an editor is showing when none is.
  if (!SupportsType(type)) return kResultFalse;
  // Attached again without removed: this view's run loop link goes with the old window.
  StopRunLoop();
  // Attached while another view shows the editor: the core moves the window here and keeps
  // the effect's open and close hooks paired.
  void* window = effect_->OpenEditor(parent);
  if (window == nullptr) return kResultFalse;
  window_ = window;
  IEditorConnection* editor = effect_->Editor();
  if (editor->WindowEventSource() >= 0) {
    // Nothing but the host's loop would ever paint this window or hear its events.
    Linux::IRunLoop* loop = FindRunLoop();
    runLoop_ = EditorRunLoop::Start(loop, editor);
    if (loop != nullptr) loop->release();
    if (runLoop_ == nullptr) {
      CloseEditor();
      return kResultFalse;
    }
  }
  CPluginView::attached(parent, type);
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::removed() {
  CloseEditor();
  return CPluginView::removed();
}

void IEffectVST3View::StopRunLoop() {
  if (runLoop_ != nullptr) runLoop_->Stop();
  runLoop_ = nullptr;
}

void IEffectVST3View::CloseEditor() {
  StopRunLoop();
  // Only the window this view shows: another view's attached may have moved it since.
  if (window_ != nullptr && effect_->EditorWindow() == window_) effect_->CloseEditor();
  window_ = nullptr;
}

tresult PLUGIN_API IEffectVST3View::getSize(ViewRect* size) {
  const IEditorConnection* editor = effect_->Editor();
  if (editor == nullptr) return kResultFalse;
  if (size == nullptr) return kInvalidArgument;
  *size = ViewRect(0, 0, editor->WindowWidth(), editor->WindowHeight());
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::queryInterface(const TUID queryIid, void** obj) {
  if (obj != nullptr && queryIid != nullptr &&
      answer(queryIid, IViewContentScaleSupport::iid, static_cast<IViewContentScaleSupport*>(this), obj))
    return kResultOk;
  return CPluginView::queryInterface(queryIid, obj);
}

tresult PLUGIN_API IEffectVST3View::setContentScaleFactor(ScaleFactor factor) {
  IEditorConnection* editor = effect_->Editor();
  if (editor == nullptr) return kResultFalse;
  if (!(factor > 0.0f)) return kInvalidArgument;
  if (editor->SetContentScale(double(factor))) RequestResize(editor->WindowWidth(), editor->WindowHeight());
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::onSize(ViewRect* newSize) {
  if (newSize == nullptr) return kInvalidArgument;
  rect = *newSize;
  if (resizeRequested_) {
    resizeRequested_ = false;
    effect_->EditorResized();
  }
  return kResultOk;
}

bool IEffectVST3View::RequestResize(int width, int height) {
  IPluginFrame* frame = getFrame();
  if (frame == nullptr) return false;
  resizeRequested_ = true;
  ViewRect wanted(0, 0, width, height);
  // Hosts may answer with onSize before resizeView returns, which clears the flag.
  if (frame->resizeView(this, &wanted) == kResultTrue) return true;
  // A refused request gets no onSize; a later one from the host is not our answer.
  resizeRequested_ = false;
  return false;
}

}  // namespace quivorant
