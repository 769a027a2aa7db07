// A user at the editor, played on the user-interface thread: presses, drags and releases,
// wheel turns, double clicks and hovering at random places, and timer ticks that paint. Random
// places reach every control, the LFO position strip included.
#pragma once

#include <random>

#include "plug/EditorConnection.h"

namespace quivorant::test {

// One random editor action; false when `editor` is not the off-screen editor.
bool PlayEditor(quivorant::IEditorConnection* editor, std::mt19937& rng);

}  // namespace quivorant::test
