// Parameter states and preset banks from a host or a project file: whatever the bytes, reading
// stays inside them, every parameter keeps a value inside its range, and what was read can be
// written and read back.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "plug/StateChunk.h"
#include "tests/support/FakeCore.h"

namespace {

quivorant::test::FakeCore& Effect() {
  static quivorant::test::FakeCore* effect = [] {
    auto* e = new quivorant::test::FakeCore(quivorant::test::MakeIdentity(9, "1-1 2-2", 15));
    e->GetParam(0)->SetupEnum("Type", 1, 3);
    e->GetParam(1)->SetupInt("Freq", 20, 20, 20000, "Hz");
    e->GetParam(1)->SetExponent(2.0);
    for (int i = 2; i < 9; ++i) e->GetParam(i)->SetupInt("P", 0, 0, 100, "%");
    return e;
  }();
  return *effect;
}

void CheckRanges(quivorant::IEffectBase& effect) {
  for (int i = 0; i < effect.ParamCount(); ++i) {
    const quivorant::IParamRecord* p = effect.GetParam(i);
    if (!(p->value >= p->min && p->value <= p->max)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quivorant::StateChunk chunk;
  if (!chunk.Assign(data, static_cast<int>(size > 1 << 20 ? 1 << 20 : size))) return 0;
  auto& effect = Effect();
  const int start = size > 0 ? data[0] % 8 : 0;
  effect.ReadParamState(chunk, start);
  CheckRanges(effect);
  effect.LoadState(chunk, 0);
  CheckRanges(effect);
  if (effect.ReadPresetBank(chunk, 0) >= 0) {
    // A bank that reads must survive a round trip.
    quivorant::StateChunk again;
    if (!effect.WritePresetBank(again) || effect.ReadPresetBank(again, 0) != again.Size()) std::abort();
  }
  CheckRanges(effect);
  // The test effect records every change it sees; one long-lived instance must not pile them up.
  effect.changed.clear();
  return 0;
}
