#include "vst2/VstEditorAccess.h"

#include "graphics/IGraphics.h"

namespace quivorant {
namespace {

IGraphics* AsGraphics(IEditorConnection* editor) { return dynamic_cast<IGraphics*>(editor); }

}  // namespace

void* EditorOpenWindow(IEditorConnection* editor, void* parent) {
  IGraphics* graphics = AsGraphics(editor);
  return graphics != nullptr ? graphics->OpenWindow(parent) : nullptr;
}

void EditorCloseWindow(IEditorConnection* editor) {
  if (IGraphics* graphics = AsGraphics(editor)) graphics->CloseWindow();
}

bool EditorHostMouseWheel(IEditorConnection* editor, float distance) {
  IGraphics* graphics = AsGraphics(editor);
  return graphics != nullptr && graphics->HostMouseWheel(distance);
}

}  // namespace quivorant
