// Writes the VST2 and editor targets' seed inputs from the plug-in itself: the chunks that
// effGetChunk hands out for several presets (vst2_set_chunk), and the texts a person or host
// would type, namely what effGetParamDisplay shows for each parameter at a few values
// (vst2_text_params, text_entry).
// Usage: fuzz_seeds_vst2 <corpus root>   (tests/fuzz/corpus)
#include <cstdio>
#include <string>

#include "tests/fuzz/common/Vst2Instance.h"
#include "tests/fuzz/seeds/SeedWriter.h"
#include "vst2/abi/VstOpcodes.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus root>\n", argv[0]);
    return 2;
  }
  quivorant::test::SeedWriter out(argv[1]);
  quivorant::test::Vst2Instance instance;

  for (int preset = 1; preset < 13; preset += 4) {
    instance.Dispatch(effSetProgram, 0, preset);
    for (VstInt32 index : {0, 1}) {
      void* chunk = nullptr;
      const VstIntPtr size = instance.Dispatch(effGetChunk, index, 0, &chunk);
      if (size <= 0) return 1;
      out.Write("vst2_set_chunk", (index == 0 ? "bank-" : "program-") + std::to_string(preset) + ".chunk", chunk,
                static_cast<std::size_t>(size));
    }
  }

  quivorant::IEffectVST& effect = instance.Effect();
  for (int i = 0; i < effect.ParamCount(); ++i) {
    const std::string param = quivorant::test::SeedName(effect.GetParam(i)->Name());
    for (float normalized : {0.0f, 0.37f, 1.0f}) {
      instance.Record().setParameter(&instance.Record(), i, normalized);
      char display[quivorant::kParamTextCapacity] = {};
      instance.Dispatch(effGetParamDisplay, i, 0, display);
      const std::string name = param + "-" + std::to_string(static_cast<int>(normalized * 100)) + ".txt";
      out.Write("vst2_text_params", name, display);
      out.Write("text_entry", name, display);
    }
  }
  std::printf("%d seed inputs written\n", out.Written());
  return out.Failed() ? 1 : 0;
}
