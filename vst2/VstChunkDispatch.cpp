// Chunks: a 32-bit little-endian version (the effect's decimal version) followed by the core's
// state, then the editor size the user chose, when there is one. Index 0 is the bank chunk (the
// current preset slot is refreshed first), any other index the program chunk; both have the same
// layout.

#include "plug/EditorSizeRecord.h"
#include "vst2/IEffectVST.h"

namespace quivorant {

VstIntPtr IEffectVST::GetChunk(VstInt32 index, void* ptr) {
  if (ptr == nullptr) return 0;
  const bool bank = index == 0;
  StateChunk& chunk = bank ? bankChunk : programChunk;
  chunk.Clear();
  chunk.PutInt32(EffectVersion(true));
  if (bank) StoreCurrentPreset();
  if (!SaveState(chunk) || chunk.Empty()) return 0;
  PutEditorSize(*this, chunk);
  // Ours until the next get of the same kind or effClose; the host copies it.
  *static_cast<void**>(ptr) = chunk.Data();
  return chunk.Size();
}

VstIntPtr IEffectVST::SetChunk(VstInt32 index, VstIntPtr size, const void* ptr) {
  (void)index;  // both kinds carry the same layout
  // A negative or absurd size is a corrupt call, not a chunk: refuse it and change nothing.
  if (ptr == nullptr || size < 0 || size > kMaxChunkBytes) return 0;
  if (!incomingChunk.Assign(ptr, static_cast<int>(size))) return 0;
  std::int32_t version = 0;
  int pos = -1;
  if (incomingChunk.Size() >= 4) pos = incomingChunk.GetInt32(&version, 0);
  StateVersionIn(version);
  // A chunk too short for its header starts reading at -1, which reads nothing and fails.
  const int end = LoadState(incomingChunk, pos);
  if (end < 0) return 0;
  RedrawParamControls();
  RestoreEditorSize(*this, incomingChunk, end);
  return 1;
}

}  // namespace quivorant
