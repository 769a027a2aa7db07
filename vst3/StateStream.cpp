#include "vst3/StateStream.h"

#include <algorithm>

namespace quivorant {

using namespace Steinberg;

void ReadWholeStream(IBStream& stream, StateChunk& chunk, bool tolerateErrors) {
  constexpr int32 kPiece = 128;
  unsigned char piece[kPiece];
  while (chunk.Size() < kMaxStateStreamBytes) {
    int32 got = 0;
    const tresult result = stream.read(piece, kPiece, &got);
    // A stream that claims more than it was asked for, or a negative count, delivered nothing
    // we can trust beyond the buffer.
    got = std::clamp(got, 0, kPiece);
    if (result != kResultOk && !tolerateErrors) break;
    if (got == 0) break;
    const int before = chunk.Size();
    if (chunk.PutBytes(piece, got) != before + got) break;  // out of memory
  }
}

bool WriteChunk(IBStream& stream, const StateChunk& chunk) {
  int done = 0;
  while (done < chunk.Size()) {
    int32 written = 0;
    const tresult result = stream.write(const_cast<std::uint8_t*>(chunk.Data()) + done, chunk.Size() - done, &written);
    if (result != kResultOk || written <= 0) return false;
    done += std::min(written, chunk.Size() - done);
  }
  return true;
}

bool ReadInt32At(IBStream& stream, int64 pos, int32& value) {
  // Only the read decides: a stream that cannot seek simply reads on from where it is.
  stream.seek(pos, IBStream::kIBSeekSet, nullptr);
  int32 got = 0;
  return stream.read(&value, sizeof value, &got) == kResultOk;
}

}  // namespace quivorant
