#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/FakeCore.h"

namespace quivorant {
namespace {

using test::FakeCore;
using test::FakeEditor;
using test::MakeIdentity;

// Three integer parameters and one continuous one; presets capture all four.
class PresetEffect : public FakeCore {
public:
  explicit PresetEffect(int presets = 15) : FakeCore(MakeIdentity(4, "1-1 2-2", presets)) {
    GetParam(0)->SetupEnum("Type", 1, 3);
    GetParam(1)->SetupInt("Freq", 20, 20, 20000, "Hz");
    GetParam(2)->SetupInt("Depth", 90, 0, 100, "%");
    GetParam(3)->SetupDouble("Gain", 0.5, 0.0, 1.0, 0.01);
  }
  std::vector<double> Values() const {
    std::vector<double> v;
    for (int i = 0; i < ParamCount(); ++i) v.push_back(GetParam(i)->value);
    return v;
  }
};

// The little-endian doubles a preset chunk must hold for these values.
std::vector<std::uint8_t> StateBytes(const std::vector<double>& values) {
  std::vector<std::uint8_t> out;
  for (double v : values) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
  }
  return out;
}

std::vector<std::uint8_t> Bytes(const StateChunk& c) { return {c.Data(), c.Data() + c.Size()}; }

TEST(Presets, FreshSlotsAreNumbered) {
  PresetEffect fx;
  ASSERT_EQ(fx.PresetCount(), 15);
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(std::string(fx.PresetName(i)), "- " + std::to_string(i + 1) + " -");
    EXPECT_FALSE(fx.GetPresetSlot(i)->initialized);
  }
  EXPECT_STREQ(fx.PresetName(15), "");
  EXPECT_STREQ(fx.PresetName(-1), "");
  EXPECT_EQ(fx.GetPresetSlot(15), nullptr);
  EXPECT_EQ(fx.CurrentPresetIndex(), 0);
}

TEST(Presets, CaptureFillsFreeSlotsInOrder) {
  PresetEffect fx(4);
  fx.NameFreePresets("---- default ----", 1);
  fx.CapturePreset("Bright", 2, 8000, 40, 0.75);
  fx.CapturePreset("Dark", 0, 300, 10, 0.25);
  EXPECT_STREQ(fx.PresetName(0), "---- default ----");
  EXPECT_TRUE(fx.GetPresetSlot(0)->initialized);
  EXPECT_TRUE(fx.GetPresetSlot(0)->chunk.Empty());
  EXPECT_STREQ(fx.PresetName(1), "Bright");
  EXPECT_EQ(Bytes(fx.GetPresetSlot(1)->chunk), StateBytes({2, 8000, 40, 0.75}));
  EXPECT_EQ(Bytes(fx.GetPresetSlot(2)->chunk), StateBytes({0, 300, 10, 0.25}));
  // Capturing does not touch the live parameters.
  EXPECT_EQ(fx.Values(), (std::vector<double>{1, 20, 90, 0.5}));

  fx.NameFreePresets(nullptr, 5);  // one slot left: named "Default", the rest ignored
  EXPECT_STREQ(fx.PresetName(3), "Default");
  fx.CapturePreset("Overflow", 1, 1, 1, 1.0);
  EXPECT_STREQ(fx.PresetName(3), "Default");

  const double values[] = {2, 440};
  PresetEffect arrays(2);
  arrays.CapturePresetValues("Short", values, 2);  // missing values count as 0
  EXPECT_EQ(Bytes(arrays.GetPresetSlot(0)->chunk), StateBytes({2, 440, 0, 0}));
}

TEST(Presets, RestoreAppliesStateAndRedrawsTheEditor) {
  PresetEffect fx;
  auto* editor = new FakeEditor(24);
  fx.AttachGraphics(editor);
  fx.NameFreePresets("---- default ----", 1);
  fx.CapturePreset("Bright", 2, 8000, 40, 0.75);
  editor->pushes.clear();
  fx.changed.clear();

  EXPECT_TRUE(fx.RestorePreset(1));
  EXPECT_EQ(fx.CurrentPresetIndex(), 1);
  EXPECT_EQ(fx.Values(), (std::vector<double>{2, 8000, 40, 0.75}));
  EXPECT_EQ(fx.changed, (std::vector<int>{0, 1, 2, 3}));
  ASSERT_EQ(editor->pushes.size(), 4u);
  EXPECT_EQ(editor->pushes[1].value, 8000.0);
  EXPECT_FALSE(editor->pushes[1].normalized);
}

TEST(Presets, DefaultSlotGivesEveryDefaultAndKeepsGivingIt) {
  PresetEffect fx;
  fx.NameFreePresets("---- default ----", 1);
  fx.CapturePreset("Bright", 2, 8000, 40, 0.75);
  const std::vector<double> defaults = fx.Values();
  ASSERT_TRUE(fx.RestorePreset(1));
  fx.changed.clear();
  EXPECT_TRUE(fx.RestorePreset(0));
  EXPECT_EQ(fx.CurrentPresetIndex(), 0);
  EXPECT_EQ(fx.Values(), defaults);
  EXPECT_EQ(fx.changed, (std::vector<int>{0, 1, 2, 3}));
  // Storing into the default slot (a VST2 host does before each program change) renames it
  // but cannot make it give anything but the defaults.
  fx.GetParam(1)->SetFromNormalized(1.0);
  fx.StoreCurrentPreset("Start");
  ASSERT_TRUE(fx.RestorePreset(1));
  ASSERT_TRUE(fx.RestorePreset(0));
  EXPECT_STREQ(fx.PresetName(0), "Start");
  EXPECT_EQ(fx.Values(), defaults);
}

TEST(Presets, SelectingFreeSlotsNamesThemUserPresets) {
  PresetEffect fx;
  fx.NameFreePresets("---- default ----", 1);
  for (int i = 0; i < 12; ++i) fx.CapturePreset(("P" + std::to_string(i)).c_str(), 1, 100 + i, 50, 0.5);
  const std::vector<double> before = fx.Values();
  EXPECT_STREQ(fx.PresetName(13), "- 14 -");
  EXPECT_TRUE(fx.RestorePreset(13));
  EXPECT_STREQ(fx.PresetName(13), "user preset 1");
  EXPECT_TRUE(fx.GetPresetSlot(13)->initialized);
  EXPECT_TRUE(fx.RestorePreset(14));
  EXPECT_STREQ(fx.PresetName(14), "user preset 2");
  // Selected slots are current (a VST2 host stores into the current slot), and slots that hold
  // nothing yet, selected again, still change no value.
  EXPECT_EQ(fx.CurrentPresetIndex(), 14);
  EXPECT_TRUE(fx.RestorePreset(13));
  EXPECT_EQ(fx.CurrentPresetIndex(), 13);
  EXPECT_EQ(fx.Values(), before);

  char next[kPresetNameCapacity];
  fx.NextUserPresetName(next, sizeof next);
  EXPECT_STREQ(next, "user preset 3");

  EXPECT_FALSE(fx.RestorePreset(15));
  EXPECT_FALSE(fx.RestorePreset(-1));
  EXPECT_EQ(fx.CurrentPresetIndex(), 13);
}

TEST(Presets, StoreCurrentPresetRefreshesAndRenames) {
  PresetEffect fx(3);
  fx.CapturePreset("A", 1, 20, 90, 0.5);
  fx.GetParam(1)->value = 1234;
  fx.StoreCurrentPreset();
  EXPECT_STREQ(fx.PresetName(0), "A");
  EXPECT_EQ(Bytes(fx.GetPresetSlot(0)->chunk), StateBytes({1, 1234, 90, 0.5}));
  fx.StoreCurrentPreset("");
  EXPECT_STREQ(fx.PresetName(0), "A");
  fx.StoreCurrentPreset("Renamed");
  EXPECT_STREQ(fx.PresetName(0), "Renamed");
}

TEST(Presets, EnsureDefaultPresetOnlyWhenThereIsNone) {
  PresetEffect none(0);
  none.EnsureDefaultPreset();
  ASSERT_EQ(none.PresetCount(), 1);
  EXPECT_STREQ(none.PresetName(0), "Default");
  EXPECT_TRUE(none.GetPresetSlot(0)->initialized);

  PresetEffect some(2);
  some.EnsureDefaultPreset();
  EXPECT_EQ(some.PresetCount(), 2);
  EXPECT_STREQ(some.PresetName(0), "- 1 -");
}

TEST(PresetBank, LayoutIsNameFlagAndStatePerSlot) {
  PresetEffect fx(15);
  for (int i = 0; i < 12; ++i) fx.CapturePreset(("P" + std::to_string(i)).c_str(), i % 3, 100 * (i + 1), i, 0.5);
  StateChunk bank;
  ASSERT_TRUE(fx.WritePresetBank(bank));

  std::vector<std::uint8_t> expected;
  auto putText = [&](const std::string& s) {
    const std::uint32_t n = static_cast<std::uint32_t>(s.size());
    for (int i = 0; i < 4; ++i) expected.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    expected.insert(expected.end(), s.begin(), s.end());
  };
  for (int i = 0; i < 15; ++i) {
    if (i < 12) {
      putText("P" + std::to_string(i));
      expected.push_back(1);
      const std::vector<std::uint8_t> state = StateBytes({double(i % 3), 100.0 * (i + 1), double(i), 0.5});
      expected.insert(expected.end(), state.begin(), state.end());
    } else {
      putText("- " + std::to_string(i + 1) + " -");
      expected.push_back(0);
    }
  }
  EXPECT_EQ(Bytes(bank), expected);

  PresetEffect empty(0);
  StateChunk nothing;
  EXPECT_TRUE(empty.WritePresetBank(nothing));
  EXPECT_EQ(nothing.Size(), 0);
}

TEST(PresetBank, RoundTripRestoresNamesFlagsAndStates) {
  PresetEffect fx(5);
  fx.CapturePreset("One", 2, 500, 10, 0.25);
  fx.CapturePreset("Two", 0, 9000, 70, 1.0);
  ASSERT_TRUE(fx.RestorePreset(1));
  StateChunk bank;
  ASSERT_TRUE(fx.WritePresetBank(bank));

  PresetEffect other(5);
  EXPECT_EQ(other.ReadPresetBank(bank, 0), bank.Size());
  EXPECT_STREQ(other.PresetName(0), "One");
  EXPECT_STREQ(other.PresetName(1), "Two");
  EXPECT_STREQ(other.PresetName(2), "- 3 -");
  EXPECT_FALSE(other.GetPresetSlot(2)->initialized);
  EXPECT_EQ(Bytes(other.GetPresetSlot(1)->chunk), StateBytes({0, 9000, 70, 1.0}));
  // The closing restore applies the reader's current preset (slot 0).
  EXPECT_EQ(other.Values(), (std::vector<double>{2, 500, 10, 0.25}));
}

TEST(PresetBank, EmptyInitialisedSlotIsWrittenReadably) {
  // An initialised slot with an empty chunk (the default slot) would otherwise make a reader
  // take the next slot's bytes as its parameters.
  PresetEffect fx(3);
  fx.NameFreePresets("---- default ----", 1);
  fx.CapturePreset("Bright", 2, 8000, 40, 0.75);
  StateChunk bank;
  ASSERT_TRUE(fx.WritePresetBank(bank));

  PresetEffect other(3);
  EXPECT_EQ(other.ReadPresetBank(bank, 0), bank.Size());
  EXPECT_STREQ(other.PresetName(0), "---- default ----");
  EXPECT_STREQ(other.PresetName(1), "Bright");
  EXPECT_EQ(Bytes(other.GetPresetSlot(1)->chunk), StateBytes({2, 8000, 40, 0.75}));
  // The default slot travels as the parameters' defaults.
  EXPECT_EQ(Bytes(other.GetPresetSlot(0)->chunk), StateBytes({1, 20, 90, 0.5}));
}

TEST(PresetBank, ShortBankKeepsTheSlotsItCouldNotRead) {
  PresetEffect fx(2);
  fx.CapturePreset("One", 2, 500, 10, 0.25);
  fx.CapturePreset("Two", 1, 700, 30, 0.5);
  ASSERT_TRUE(fx.RestorePreset(1));
  fx.GetParam(1)->value = 999;
  StateChunk bank;
  bank.PutString("Renamed");
  bank.PutByte(0);
  bank.PutInt32(50);  // the second name's length, with its bytes missing

  EXPECT_EQ(fx.ReadPresetBank(bank, 0), -1);
  EXPECT_STREQ(fx.PresetName(0), "Renamed");
  EXPECT_FALSE(fx.GetPresetSlot(0)->initialized);
  EXPECT_STREQ(fx.PresetName(1), "Two");
  // The closing restore re-applies the current slot.
  EXPECT_EQ(fx.Values(), (std::vector<double>{1, 700, 30, 0.5}));
}

}  // namespace
}  // namespace quivorant
