// Writes the VST3 targets' seed inputs from the plug-in itself: the component state of every
// preset slot as getState saves it (vst3_set_state), and the display texts that
// getParamStringByValue gives for each parameter, as UTF-16 code units (vst3_from_string).
// Usage: fuzz_seeds_vst3 <corpus root>   (tests/fuzz/corpus)
#include <cstdio>
#include <string>

#include "tests/fuzz/common/Vst3Instance.h"
#include "tests/fuzz/seeds/SeedWriter.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus root>\n", argv[0]);
    return 2;
  }
  quivorant::test::SeedWriter out(argv[1]);
  quivorant::test::Vst3Instance instance(u"Seed Host");
  quivorant::IEffectVST3& effect = instance.Effect();

  for (int preset = 1; preset < effect.PresetCount(); preset += 3) {
    effect.RestorePreset(preset);
    quivorant::test::MemoryStream state;
    if (instance.Component().getState(&state) != kResultOk) return 1;
    out.Write("vst3_set_state", "preset-" + std::to_string(preset) + ".state", state.bytes.data(), state.bytes.size());
  }

  for (int i = 0; i < effect.ParamCount(); ++i) {
    const std::string param = quivorant::test::SeedName(effect.GetParam(i)->Name());
    for (double normalized : {0.0, 0.37, 1.0}) {
      String128 text{};
      if (instance.Controller().getParamStringByValue(static_cast<ParamID>(i), normalized, text) != kResultOk) return 1;
      std::size_t units = 0;
      while (text[units] != 0) ++units;
      out.Write("vst3_from_string", param + "-" + std::to_string(static_cast<int>(normalized * 100)) + ".utf16", text,
                units * sizeof(char16));
    }
  }
  std::printf("%d seed inputs written\n", out.Written());
  return out.Failed() ? 1 : 0;
}
