// The component state: the core's parameter state, unchanged, in the host's stream.
#include "vst3/IEffectVST3.h"
#include "vst3/StateStream.h"

namespace quivorant {

using namespace Steinberg;

namespace {
// This host's streams report an error on reads that still deliver bytes.
constexpr int kHostCodeTolerantStreamReads = 28;
}  // namespace

tresult IEffectVST3::SaveComponentState(IBStream* stream) {
  InstanceLock::Scope hold(GetLock());
  StateChunk chunk;
  if (SaveState(chunk)) return WriteChunk(*stream, chunk) ? kResultOk : kResultFalse;
  StateChunk bypass;
  bypass.PutInt32(IsBypassed() ? 1 : 0);
  WriteChunk(*stream, bypass);
  return kResultFalse;
}

tresult IEffectVST3::LoadComponentState(IBStream* stream) {
  InstanceLock::Scope hold(GetLock());
  StateChunk chunk;
  ReadWholeStream(*stream, chunk, HostCode() == kHostCodeTolerantStreamReads);
  const int end = LoadState(chunk, 0);
  // A state cut short (a damaged project) was refused whole and changed nothing: say so.
  if (end < 0) return kResultFalse;
  RedrawParamControls();
  Steinberg::int32 trailing = 0;
  return ReadInt32At(*stream, end, trailing) ? kResultOk : kResultFalse;
}

}  // namespace quivorant
