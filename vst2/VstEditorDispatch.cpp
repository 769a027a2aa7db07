// The editor opcodes: the rectangle the host sizes its frame from, and opening and closing the
// editor's window inside that frame. Hosts are loose about pairing these calls (a second open
// for another frame, a close without an open, a close twice, effClose with the editor still
// showing), so the instance tracks whether its window is open and keeps the effect's
// EditorOpened / EditorClosing hooks strictly paired.
//
// On Windows the window is the editor window's child of the host's frame. Elsewhere the editor
// renders off-screen and has no window to offer: effEditOpen answers 0 (its window could not be
// created), which tells the host to fall back to its own controls.

#include "vst2/IEffectVST.h"
#include "vst2/VstEditorAccess.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant {

VstIntPtr IEffectVST::DispatchEditor(VstInt32 opcode, void* ptr) {
  IEditorConnection* editor = Editor();
  if (editor == nullptr) return 0;
  switch (opcode) {
    case effEditGetRect:
      if (ptr == nullptr) return 0;
      // The rectangle lives in the instance, so the pointer stays valid until effClose.
      *static_cast<ERect**>(ptr) = &editorRect;
      return 1;
    case effEditOpen:
      return OpenEditor(editor, ptr) ? 1 : 0;
    default:  // effEditClose
      CloseEditor(editor);
      return 1;
  }
}

bool IEffectVST::OpenEditor(IEditorConnection* editor, void* parent) {
  // A child window needs a parent; without one there is nothing to show the editor in.
  if (parent == nullptr) return false;
  // Opening again (often into a new frame) moves the window: the effect sees a close first.
  if (editorOpen_) {
    editorOpen_ = false;
    EditorClosing();
  }
  if (EditorOpenWindow(editor, parent) == nullptr) return false;
  editorOpen_ = true;
  EditorOpened();
  return true;
}

void IEffectVST::CloseEditor(IEditorConnection* editor) {
  if (editorOpen_) {
    editorOpen_ = false;
    EditorClosing();
  }
  // Always asked: the window may have gone with the host's frame, and closing a closed editor
  // does nothing.
  EditorCloseWindow(editor);
}

}  // namespace quivorant
