// The editor opcodes: the rectangle the host sizes its frame from, and opening and closing the
// editor's window inside that frame (the core pairs the calls however the host does).
//
// On Windows the window is the editor window's child of the host's frame. Elsewhere the editor
// renders off-screen and has no window to offer: effEditOpen answers 0 (its window could not be
// created), which tells the host to fall back to its own controls.

#include "vst2/IEffectVST.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant {

VstIntPtr IEffectVST::DispatchEditor(VstInt32 opcode, void* ptr) {
  if (Editor() == nullptr) return 0;
  switch (opcode) {
    case effEditGetRect:
      if (ptr == nullptr) return 0;
      // The rectangle lives in the instance, so the pointer stays valid until effClose.
      *static_cast<ERect**>(ptr) = &editorRect;
      return 1;
    case effEditOpen:
      return OpenEditor(ptr) != nullptr ? 1 : 0;
    default:  // effEditClose
      CloseEditor();
      return 1;
  }
}

}  // namespace quivorant
