// Chunks from a VST2 host's project, restored with effSetChunk in both forms (index 0: bank,
// any other index: program). Whatever the bytes: a whole state after the 4-byte version sets
// every parameter inside its range, and a chunk cut short anywhere changes nothing; the answer is 1 only for a chunk that holds a whole state; the instance still
// processes; and effGetChunk then hands out the version and the current values, which restore
// to the same chunk.
#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/fuzz/common/FuzzChecks.h"
#include "tests/fuzz/common/Vst2Instance.h"
#include "vst2/abi/VstOpcodes.h"

namespace {

using namespace quivorant::test;

constexpr std::size_t kVersionBytes = 4;
constexpr std::size_t kStateBytes = 9 * 8;
constexpr std::int32_t kEffectVersion = 13000;

std::vector<std::uint8_t> GetChunk(Vst2Instance& instance, VstInt32 index) {
  void* data = nullptr;
  const VstIntPtr size = instance.Dispatch(effGetChunk, index, 0, &data);
  Require(size == static_cast<VstIntPtr>(kVersionBytes + kStateBytes) && data != nullptr,
          "effGetChunk hands out a version and a whole state");
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  return std::vector<std::uint8_t>(bytes, bytes + size);
}

void SetChunk(Vst2Instance& instance, VstInt32 index, const std::uint8_t* data, std::size_t size) {
  quivorant::IEffectVST& effect = instance.Effect();
  const std::vector<double> before = ParamValues(effect);
  std::vector<std::uint8_t> host(data, data + size);  // the host's buffer, exactly this long
  const VstIntPtr answer = instance.Dispatch(effSetChunk, index, static_cast<VstIntPtr>(size), host.data());

  const long start = size >= kVersionBytes ? static_cast<long>(kVersionBytes) : -1;
  RequireValues(effect, ValuesAfterStateRead(effect, before, data, size, start), "effSetChunk");
  RequireParamsInRange(effect);
  Require(answer == (size >= kVersionBytes + kStateBytes ? 1 : 0), "effSetChunk answers 1 for a whole state only");
  instance.RequireProcesses();

  const std::vector<std::uint8_t> saved = GetChunk(instance, index);
  std::int32_t version = 0;
  std::memcpy(&version, saved.data(), sizeof version);
  Require(version == kEffectVersion, "a chunk starts with the effect's version");
  RequireValues(effect, ValuesAfterStateRead(effect, before, saved.data(), saved.size(), kVersionBytes),
                "effGetChunk holds the current values");
  const std::vector<double> current = ParamValues(effect);
  std::vector<std::uint8_t> again = saved;
  Require(instance.Dispatch(effSetChunk, index, static_cast<VstIntPtr>(again.size()), again.data()) == 1,
          "a saved chunk restores");
  RequireValues(effect, current, "chunk round trip");
  Require(GetChunk(instance, index) == saved, "a restored chunk saves the same bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Vst2Instance* instance = new Vst2Instance;
  if (size > 1 << 16) return 0;
  SetChunk(*instance, 0, data, size);
  SetChunk(*instance, 1, data, size);
  // The instance calls its host on a restore; one long-lived host must not pile the calls up.
  instance->Host().Clear();
  return 0;
}
