// The editor size the user chose, kept with the project beside the parameter state (never inside
// it: the parameter state's layout is what older versions and stored projects read). A record
// is a tag and the size in percent; a state without one restores "no choice", which draws at
// 100 % unless the host or the screen asks for more.
#pragma once

#include "plug/StateChunk.h"

namespace quivorant {

class IEffectBase;

// Appends the record when the user has chosen a size; nothing otherwise, so that states of
// instances that never chose one stay as they always were.
void PutEditorSize(const IEffectBase& effect, StateChunk& chunk);

// Restores the choice from a record at pos (none there, or pos < 0: no choice). When the open
// editor window changes size, the host is asked to resize it.
void RestoreEditorSize(IEffectBase& effect, const StateChunk& chunk, int pos);

}  // namespace quivorant
