// The VST2 front end in-process under two threads: the audio thread calls processReplacing and
// processDoubleReplacing with blocks of random sizes and tempi, while the user-interface thread
// sets and reads parameters, saves and restores chunks, selects programs, and opens, plays and
// closes the off-screen editor.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tests/reliability/EditorPlay.h"
#include "tests/reliability/StressLoop.h"
#include "vst2/IEffectVST.h"
#include "vst2/VstPluginCreation.h"
#include "vst2/abi/VstOpcodes.h"

namespace {

constexpr int kMaxFrames = 4096;
constexpr double kTempi[] = {120.0, 0.0, -60.0, 1.0, 999.0, 87.5};

// Each thread answers the time request from its own record: the audio thread sets the tempo
// before its block, as a host does.
thread_local VstTimeInfo tTime{};

VstIntPtr VSTCALLBACK StressHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterGetTime:
      return reinterpret_cast<VstIntPtr>(&tTime);
    default:
      return 0;
  }
}

VstIntPtr Call(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
               float opt = 0.0f) {
  return e->dispatcher(e, opcode, index, value, ptr, opt);
}

struct AudioSide {
  explicit AudioSide(AEffect* e) : effect(e) {
    for (int c = 0; c < 2; ++c) {
      in32[c].assign(kMaxFrames, 0.0f);
      out32[c].assign(kMaxFrames, 0.0f);
      in64[c].assign(kMaxFrames, 0.0);
      out64[c].assign(kMaxFrames, 0.0);
      inPtr32[c] = in32[c].data();
      outPtr32[c] = out32[c].data();
      inPtr64[c] = in64[c].data();
      outPtr64[c] = out64[c].data();
    }
  }

  void Step(std::mt19937& rng) {
    tTime.sampleRate = 48000.0;
    tTime.flags = kVstTempoValid;
    if (rng() % 16 == 0) tTime.tempo = kTempi[rng() % (sizeof kTempi / sizeof kTempi[0])];
    const int frames = rng() % 8 == 0 ? static_cast<int>(rng() % 2) : 1 + static_cast<int>(rng() % kMaxFrames);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    const bool wide = rng() % 2 == 0;
    for (int c = 0; c < 2; ++c)
      for (int i = 0; i < frames; ++i) {
        in64[c][i] = noise(rng);
        in32[c][i] = static_cast<float>(in64[c][i]);
      }
    if (wide) {
      effect->processDoubleReplacing(effect, inPtr64, outPtr64, frames);
    } else {
      effect->processReplacing(effect, inPtr32, outPtr32, frames);
    }
    for (int c = 0; c < 2; ++c)
      for (int i = 0; i < frames; ++i)
        nonFinite += std::isfinite(wide ? out64[c][i] : static_cast<double>(out32[c][i])) ? 0 : 1;
  }

  AEffect* effect;
  std::vector<float> in32[2], out32[2];
  std::vector<double> in64[2], out64[2];
  float* inPtr32[2];
  float* outPtr32[2];
  double* inPtr64[2];
  double* outPtr64[2];
  long nonFinite = 0;
};

struct UiSide {
  explicit UiSide(AEffect* e) : effect(e) {}

  void Step(std::mt19937& rng) {
    const VstInt32 param = static_cast<VstInt32>(rng() % 9);
    switch (rng() % 6) {
      case 0:
        effect->setParameter(effect, param, std::uniform_real_distribution<float>(0.0f, 1.0f)(rng));
        break;
      case 1: {
        char text[64] = {};
        effect->getParameter(effect, param);
        Call(effect, effGetParamDisplay, param, 0, text);
        Call(effect, effGetProgramName, 0, 0, text);
        break;
      }
      case 2: {
        const VstInt32 program = static_cast<VstInt32>(rng() % 2);  // bank or one program
        void* bytes = nullptr;
        const VstIntPtr size = Call(effect, effGetChunk, program, 0, &bytes);
        if (size > 0 && bytes != nullptr) {
          chunk.assign(static_cast<char*>(bytes), static_cast<char*>(bytes) + size);
          Call(effect, effSetChunk, program, size, chunk.data());
        }
        break;
      }
      case 3:
        Call(effect, effSetProgram, 0, static_cast<VstIntPtr>(rng() % 15));
        break;
      default:
        PlayWithEditor(rng);
        break;
    }
  }

  void PlayWithEditor(std::mt19937& rng) {
    if (!open) {
      Call(effect, effEditOpen, 0, 0, &parentWindow);
      open = true;
    }
    Call(effect, effEditIdle);
    for (int i = 0; i < 4; ++i)
      EXPECT_TRUE(quivorant::test::PlayEditor(quivorant::IEffectVST::FromRecord(effect)->Editor(), rng));
    if (rng() % 8 == 0) {
      Call(effect, effEditClose);
      open = false;
    }
  }

  AEffect* effect;
  std::vector<char> chunk;
  int parentWindow = 0;
  bool open = false;
};

TEST(StressVst2, AudioCallbacksAgainstTheUserInterfaceThread) {
  AEffect* effect = quivorant::CreateVstPlugin(StressHost);
  ASSERT_NE(effect, nullptr);
  Call(effect, effOpen);
  Call(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  Call(effect, effSetBlockSize, 0, 1024);
  Call(effect, effMainsChanged, 0, 1);
  AudioSide audio(effect);
  UiSide ui(effect);
  const quivorant::test::StressCounts counts =
      quivorant::test::RunSideBySide([&](std::mt19937& rng) { audio.Step(rng); },
                                     [&](std::mt19937& rng) { ui.Step(rng); }, quivorant::test::StressSeconds());
  if (ui.open) Call(effect, effEditClose);
  Call(effect, effMainsChanged, 0, 0);
  Call(effect, effClose);
  std::printf("VST2: %lld blocks, %lld user-interface steps\n", static_cast<long long>(counts.audioSteps),
              static_cast<long long>(counts.uiSteps));
  EXPECT_GT(counts.audioSteps, 0);
  EXPECT_GT(counts.uiSteps, 0);
  EXPECT_EQ(audio.nonFinite, 0);
}

}  // namespace
