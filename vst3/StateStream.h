// Moving bytes between a host's IBStream and a StateChunk. Streams are host objects: every
// count they report is checked before it is believed.
#pragma once

#include "plug/StateChunk.h"
#include "vst3/sdk/interfaces/ibstream.h"

namespace quivorant {

// A state larger than this is not ours; reading stops there instead of exhausting memory.
inline constexpr int kMaxStateStreamBytes = 16 * 1024 * 1024;

// Appends the stream's bytes from its current position, 128 at a time, until a read yields no
// bytes. A read that reports an error ends it, unless `tolerateErrors`, in which case the bytes
// it delivered still count and reading goes on.
void ReadWholeStream(Steinberg::IBStream& stream, StateChunk& chunk, bool tolerateErrors);

// Writes all of the chunk; false when the stream refuses or stops taking bytes.
bool WriteChunk(Steinberg::IBStream& stream, const StateChunk& chunk);

// Seeks to `pos` from the start and reads a 32-bit value; false when the read reports an error.
bool ReadInt32At(Steinberg::IBStream& stream, Steinberg::int64 pos, Steinberg::int32& value);

}  // namespace quivorant
