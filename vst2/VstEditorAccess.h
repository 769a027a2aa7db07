// The window operations the VST2 front end needs from an attached editor, beyond what the core's
// editor connection offers. The attached editor is the editor framework's IGraphics; anything
// else (or no editor) has no window and answers "nothing happened".
#pragma once

namespace quivorant {

class IEditorConnection;

// Opens the editor's window inside the host's `parent`; the window handle, or null.
void* EditorOpenWindow(IEditorConnection* editor, void* parent);
void EditorCloseWindow(IEditorConnection* editor);
// A wheel turn the host forwards; true when the pointer is over the editor window.
bool EditorHostMouseWheel(IEditorConnection* editor, float distance);

}  // namespace quivorant
