// The editor's window as every front end opens and closes it. Hosts are loose about pairing
// these calls (a second open for another frame or view, a close without an open, a close twice,
// closing the instance with the editor still showing), so the core alone keeps track of whether
// the window is open and pairs the effect's EditorOpened / EditorClosing hooks.
#include "plug/IEffectBase.h"

namespace quivorant {

void* IEffectBase::OpenEditor(void* parent) {
  // A child window needs a parent; without one there is nothing to show the editor in.
  if (editor_ == nullptr || parent == nullptr) return nullptr;
  // Opening again (often into a new frame) moves the window: the effect sees a close first.
  if (editorOpen_) {
    editorOpen_ = false;
    EditorClosing();
  }
  void* window = editor_->OpenWindow(parent);
  if (window == nullptr) return nullptr;
  editorOpen_ = true;
  EditorOpened();
  return window;
}

void IEffectBase::CloseEditor() {
  if (editorOpen_) {
    editorOpen_ = false;
    EditorClosing();
  }
  // Always asked: the window may have gone with the host's frame, and closing a closed editor
  // does nothing.
  if (editor_ != nullptr) editor_->CloseWindow();
}

}  // namespace quivorant
