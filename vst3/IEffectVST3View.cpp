#include "vst3/IEffectVST3View.h"

#include <cstring>

#include "vst3/IEffectVST3.h"

namespace quivorant {

using namespace Steinberg;

namespace {
bool IsHwnd(FIDString type) { return type != nullptr && std::strcmp(type, kPlatformTypeHWND) == 0; }
}  // namespace

IEffectVST3View::IEffectVST3View(IEffectVST3* effect) : effect_(effect) { effect_->addRef(); }

IEffectVST3View::~IEffectVST3View() {
  // A host that releases an attached view without removing it first would leave our window
  // (and its timer) inside its parent window.
  CloseEditor();
  effect_->ForgetView(this);
  effect_->release();  // may be the last reference: nothing of the instance is touched after it
}

tresult PLUGIN_API IEffectVST3View::isPlatformTypeSupported(FIDString type) {
  return effect_->Editor() != nullptr && IsHwnd(type) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IEffectVST3View::attached(void* parent, FIDString type) {
  if (effect_->Editor() == nullptr) return kResultFalse;
  // Only a window of the one supported platform can hold the editor; answering ok for any
  // other would tell the host an editor is showing when none is.
  if (!IsHwnd(type)) return kResultFalse;
  // Attached again without removed, or while another view shows the editor: the core moves
  // the window here and keeps the effect's open and close hooks paired.
  void* window = effect_->OpenEditor(parent);
  if (window == nullptr) return kResultFalse;
  window_ = window;
  CPluginView::attached(parent, type);
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::removed() {
  CloseEditor();
  return CPluginView::removed();
}

void IEffectVST3View::CloseEditor() {
  // Only the window this view shows: another view's attached may have moved it since.
  if (window_ != nullptr && effect_->EditorWindow() == window_) effect_->CloseEditor();
  window_ = nullptr;
}

tresult PLUGIN_API IEffectVST3View::getSize(ViewRect* size) {
  const IEditorConnection* editor = effect_->Editor();
  if (editor == nullptr) return kResultFalse;
  if (size == nullptr) return kInvalidArgument;
  *size = ViewRect(0, 0, editor->Width(), editor->Height());
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
