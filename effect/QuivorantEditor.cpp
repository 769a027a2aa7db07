// The effect's editor. Its controls come with the editor framework; until then the effect runs
// without one and the LFO display values wait in DisplayValues().
#include "effect/Quivorant.h"

namespace quivorant {

void CLS_QUIVORANT::BuildEditor() {}

}  // namespace quivorant
