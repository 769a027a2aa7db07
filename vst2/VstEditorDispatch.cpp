// The editor opcodes: the rectangle the host sizes its frame from, and opening and closing the
// editor's window inside that frame (the core pairs the calls however the host does).
//
// The window is the editor's child of the host's frame: an HWND on Windows, an X11 window id on
// Linux. X11 has no window procedure: the host's effEditIdle brings the window's events and the
// editor's timer. A build whose editor has no window does not claim one (the has-editor flag
// stays clear), and effEditOpen answers 0 should a host try anyway.

#include "vst2/IEffectVST.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant {

VstIntPtr IEffectVST::DispatchEditor(VstInt32 opcode, void* ptr) {
  if (Editor() == nullptr) return 0;
  switch (opcode) {
    case effEditGetRect:
      if (ptr == nullptr) return 0;
      // The rectangle lives in the instance, so the pointer stays valid until effClose. Its size
      // is the editor's now: a restored state may have changed the scale without a window open.
      UpdateEditorRect();
      *static_cast<ERect**>(ptr) = &editorRect;
      return 1;
    case effEditOpen:
      return OpenEditor(ptr) != nullptr ? 1 : 0;
    case effEditIdle:
      if (EditorWindow() != nullptr) Editor()->Idle();
      return 0;
    default:  // effEditClose
      CloseEditor();
      return 1;
  }
}

}  // namespace quivorant
