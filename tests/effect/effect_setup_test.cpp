// What a freshly constructed effect offers: identity, the nine parameters, and the preset table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "effect/LfoWave.h"
#include "effect/QuivorantIdentity.h"
#include "effect/QuivorantPresets.h"
#include "graphics/controls/GRAPH.h"
#include "tests/effect/EffectRig.h"

namespace quivorant {
namespace {

TEST(EffectSetup, Identity) {
  const EffectIdentity& id = QuivorantIdentity();
  EXPECT_EQ(id.paramCount, 9);
  EXPECT_STREQ(id.channelConfig, "1-1 2-2");
  EXPECT_EQ(id.presetCount, 15);
  EXPECT_STREQ(id.effectName, "quivorant");
  EXPECT_STREQ(id.productName, "");
  EXPECT_STREQ(id.makerName, "Tolvane");
  EXPECT_EQ(id.vendorVersion, 0x00011E00);
  EXPECT_EQ(id.uniqueId, 0x62316751);  // 'b1gQ'
  EXPECT_EQ(static_cast<std::uint32_t>(id.makerId),
            (std::uint32_t('T') << 24) | (std::uint32_t('l') << 16) | (std::uint32_t('v') << 8) | std::uint32_t('n'));
  EXPECT_EQ(id.latency, 0);
  EXPECT_EQ(id.midiMode, 0);
  EXPECT_FALSE(id.doesStateChunks);
  EXPECT_FALSE(id.isInstrument);

  HeadlessHost host;
  std::unique_ptr<IEffectHeadless> fx(CreateEffectInstance(&host));
  ASSERT_TRUE(fx);
  EXPECT_EQ(fx->ParamCount(), 9);
  EXPECT_EQ(fx->PresetCount(), 15);
  EXPECT_EQ(fx->InputChannelCount(), 2);
  EXPECT_EQ(fx->EffectVersion(true), 13000);
  EXPECT_FALSE(fx->EffectReady());
}

struct ParamRow {
  const char* name;
  ParamKind kind;
  double min, max, def;
  const char* label;
  int texts;
};

TEST(EffectSetup, ParametersWithRangesDefaultsAndTexts) {
  const ParamRow rows[9] = {
      {"Filter Type", kParamEnum, 0, 2, 1, "", 3},         {"Filter Freq", kParamInt, 20, 20000, 20, "Hz", 0},
      {"Filter Bandwidth", kParamInt, 1, 100, 20, "%", 0}, {"Filter Mix", kParamInt, 0, 100, 100, "%", 0},
      {"LFO Target", kParamEnum, 0, 3, 0, "", 4},          {"LFO Wave", kParamEnum, 0, 5, 0, "", 6},
      {"LFO Rate", kParamEnum, 0, 27, 15, "", 28},         {"LFO Depth", kParamInt, 0, 100, 90, "%", 0},
      {"LFO Reset", kParamEnum, 0, 1, 0, "", 2},
  };
  EffectRig rig(44100.0, 120.0, false);
  for (int i = 0; i < 9; ++i) {
    const IParamRecord* p = rig.fx->GetParam(i);
    ASSERT_TRUE(p);
    EXPECT_STREQ(p->Name(), rows[i].name);
    EXPECT_EQ(p->kind, rows[i].kind) << i;
    EXPECT_EQ(p->min, rows[i].min) << i;
    EXPECT_EQ(p->max, rows[i].max) << i;
    EXPECT_EQ(p->value, rows[i].def) << i;
    EXPECT_EQ(p->defaultValue, rows[i].def) << i;
    EXPECT_EQ(p->step, 1.0) << i;
    EXPECT_STREQ(p->Label(), rows[i].label);
    EXPECT_EQ(p->DisplayTextCount(), rows[i].texts) << i;
    EXPECT_EQ(p->exponent, i == kParamFilterFreq ? 2.0 : 1.0) << i;
  }
  const IParamRecord* rate = rig.fx->GetParam(kParamLfoRate);
  const char* rates[28] = {"1/16", "1/8T", "1/16D", "1/8",  "1/4T", "1/8D",  "1/4",   "1/2T", "1/4D", "1/2",
                           "1/1T", "1/2D", "1/1",   "2/1T", "1/1D", "2/1",   "4/1T",  "2/1D", "4/1",  "8/1T",
                           "4/1D", "8/1",  "16/1T", "8/1D", "16/1", "32/1T", "16/1D", "32/1"};
  for (int v = 0; v < 28; ++v) EXPECT_STREQ(rate->DisplayTextFor(v), rates[v]);
  char text[32];
  rate->FormatValue(15, false, text);
  EXPECT_STREQ(text, "2/1");
  EXPECT_STREQ(rig.fx->GetParam(kParamFilterType)->DisplayTextFor(2), "Bandpass");
  EXPECT_STREQ(rig.fx->GetParam(kParamLfoTarget)->DisplayTextFor(0), "No Assign");
  EXPECT_STREQ(rig.fx->GetParam(kParamLfoTarget)->DisplayTextFor(2), "Filter Bandwidth");
  EXPECT_STREQ(rig.fx->GetParam(kParamLfoWave)->DisplayTextFor(5), "Sine Half 2");
  EXPECT_STREQ(rig.fx->GetParam(kParamLfoReset)->DisplayTextFor(1), "Yes");
  // The exponent gives the lower octaves most of the knob: halfway is 5015 Hz.
  rig.fx->GetParam(kParamFilterFreq)->SetFromNormalized(0.5);
  EXPECT_EQ(rig.fx->GetParam(kParamFilterFreq)->value, 5015.0);
}

TEST(EffectSetup, PresetTableAndFactoryPresetsLoadTheirRows) {
  EffectRig rig;
  EXPECT_STREQ(rig.fx->PresetName(0), "---- default ----");
  EXPECT_TRUE(rig.fx->GetPresetSlot(0)->chunk.Empty());
  const char* names[12] = {"1 oct bandwidth",
                           "1x2 oct bandwidth",
                           "2x2 oct bandwidth",
                           "3x2 oct bandwidth",
                           "High Frequencies",
                           "High Phaser",
                           "Low Frequencies",
                           "Middle Frequencies",
                           "Oscillating Filter",
                           "Oscillating Freq",
                           "Phaser",
                           "Vibrato"};
  for (int i = 0; i < 12; ++i) EXPECT_STREQ(rig.fx->PresetName(i + 1), names[i]);
  EXPECT_STREQ(rig.fx->PresetName(13), "- 14 -");
  EXPECT_STREQ(rig.fx->PresetName(14), "- 15 -");

  // Load in reverse so that each load changes something.
  for (int i = kFactoryPresetCount - 1; i >= 0; --i) {
    ASSERT_TRUE(rig.fx->RestorePreset(i + 1));
    EXPECT_EQ(rig.fx->CurrentPresetIndex(), i + 1);
    for (int p = 0; p < 9; ++p)
      EXPECT_EQ(rig.fx->GetParam(p)->value, FactoryPresets()[i].values[p]) << names[i] << " param " << p;
  }
  // The last load was "1 oct bandwidth": bandpass 2000 Hz at 12 %.
  EXPECT_EQ(rig.fx->Filter().type, kFilterBandpass);
  EXPECT_EQ(rig.fx->Filter().frequency, 2000);
  EXPECT_EQ(rig.fx->Filter().bandwidth, 12.0f * 0.01f);

  ASSERT_TRUE(rig.fx->RestorePreset(12));  // "Vibrato"
  EXPECT_EQ(rig.fx->Filter().type, kFilterBandpass);
  EXPECT_EQ(rig.fx->Filter().baseFrequency, 6000);
  EXPECT_EQ(rig.fx->Filter().baseBandwidth, 20.0f * 0.01f);
  EXPECT_EQ(rig.fx->Filter().baseMix, 80.0f * 0.01f);
  EXPECT_EQ(rig.fx->Lfo().target, kLfoTargetMix);
  EXPECT_EQ(rig.fx->Lfo().wave, kWaveSine);
  EXPECT_EQ(rig.fx->Lfo().depth, 60.0f * 0.01f);
  EXPECT_TRUE(rig.fx->PositionDisplay()->DisplayShown());

  // The default slot gives the defaults: the near-transparent 20 Hz highpass.
  EXPECT_TRUE(rig.fx->RestorePreset(0));
  for (int p = 0; p < 9; ++p) EXPECT_EQ(rig.fx->GetParam(p)->value, rig.fx->GetParam(p)->defaultValue) << p;
  EXPECT_EQ(rig.fx->Filter().type, kFilterHighpass);
  EXPECT_EQ(rig.fx->Filter().frequency, 20);
  EXPECT_EQ(rig.fx->Lfo().target, kLfoTargetNone);
}

}  // namespace
}  // namespace quivorant
