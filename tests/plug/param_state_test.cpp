#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "tests/support/FakeCore.h"

namespace quivorant {
namespace {

using test::FakeCore;
using test::MakeIdentity;

// Nine parameters shaped like the product's: lists and integers of several ranges.
void DefineParams(FakeCore& fx) {
  fx.GetParam(0)->SetupEnum("Filter Type", 1, 3);
  fx.GetParam(1)->SetupInt("Filter Freq", 20, 20, 20000, "Hz");
  fx.GetParam(1)->SetExponent(2.0);
  fx.GetParam(2)->SetupInt("Filter Bandwidth", 20, 1, 100, "%");
  fx.GetParam(3)->SetupInt("Filter Mix", 100, 0, 100, "%");
  fx.GetParam(4)->SetupEnum("LFO Target", 0, 4);
  fx.GetParam(5)->SetupEnum("LFO Wave", 0, 6);
  fx.GetParam(6)->SetupEnum("LFO Rate", 15, 28);
  fx.GetParam(7)->SetupInt("LFO Depth", 90, 0, 100, "%");
  fx.GetParam(8)->SetupEnum("LFO Reset", 0, 2);
}

StateChunk DoublesChunk(const std::vector<double>& values) {
  StateChunk c;
  for (double v : values) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i) {
      const std::uint8_t byte = static_cast<std::uint8_t>(bits >> (8 * i));
      c.PutBytes(&byte, 1);
    }
  }
  return c;
}

TEST(ParamState, WritesOneLittleEndianDoublePerParameter) {
  FakeCore fx(MakeIdentity(9, "1-1 2-2", 15));
  DefineParams(fx);
  StateChunk c;
  ASSERT_TRUE(fx.WriteParamState(c));
  ASSERT_EQ(c.Size(), 72);
  const StateChunk expected = DoublesChunk({1, 20, 20, 100, 0, 0, 15, 90, 0});
  EXPECT_EQ(std::memcmp(c.Data(), expected.Data(), 72), 0);
}

TEST(ParamState, RoundTripRestoresAndNotifiesEveryParameter) {
  FakeCore fx(MakeIdentity(9, "1-1 2-2", 15));
  DefineParams(fx);
  const std::vector<double> values{2, 8000, 40, 80, 3, 1, 9, 60, 1};
  for (int i = 0; i < 9; ++i) fx.GetParam(i)->value = values[static_cast<std::size_t>(i)];
  StateChunk saved;
  ASSERT_TRUE(fx.SaveState(saved));

  FakeCore other(MakeIdentity(9, "1-1 2-2", 15));
  DefineParams(other);
  EXPECT_EQ(other.LoadState(saved, 0), 72);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(other.GetParam(i)->value, values[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(other.changed, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(ParamState, ShortChunkSetsTheFirstMissingParameterToItsClampedZero) {
  FakeCore fx(MakeIdentity(9, "1-1 2-2", 15));
  DefineParams(fx);
  StateChunk c = DoublesChunk({2, 500});
  c.PutInt32(0);  // 20 bytes: two doubles and half of a third
  EXPECT_EQ(fx.ReadParamState(c, 0), -1);
  EXPECT_EQ(fx.GetParam(0)->value, 2.0);
  EXPECT_EQ(fx.GetParam(1)->value, 500.0);
  EXPECT_EQ(fx.GetParam(2)->value, 1.0);  // 0 clamped to the minimum
  EXPECT_EQ(fx.GetParam(3)->value, 100.0);
  EXPECT_EQ(fx.changed, (std::vector<int>{0, 1, 2}));

  // A start position that is already a failure reads nothing.
  fx.changed.clear();
  EXPECT_EQ(fx.ReadParamState(c, -1), -1);
  EXPECT_TRUE(fx.changed.empty());
  EXPECT_EQ(fx.ReadParamState(c, 1000), -1);
  EXPECT_EQ(fx.GetParam(0)->value, 0.0);
}

TEST(ParamState, AHostStateCutShortIsRefusedWholeAndChangesNothing) {
  FakeCore fx(MakeIdentity(9, "1-1 2-2", 15));
  DefineParams(fx);
  std::vector<double> before;
  for (int i = 0; i < 9; ++i) before.push_back(fx.GetParam(i)->value);
  StateChunk c = DoublesChunk({2, 500});
  c.PutInt32(0);
  EXPECT_EQ(fx.ParamStateEnd(c, 0), -1);
  EXPECT_EQ(fx.LoadState(c, 0), -1);
  EXPECT_EQ(fx.LoadState(StateChunk(), 0), -1);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(fx.GetParam(i)->value, before[static_cast<std::size_t>(i)]) << i;
  EXPECT_TRUE(fx.changed.empty());

  // A whole state, or one with bytes to spare, is read as before.
  StateChunk whole = DoublesChunk({0, 300, 50, 50, 1, 2, 3, 40, 0});
  whole.PutInt32(7);
  EXPECT_EQ(fx.ParamStateEnd(whole, 0), 72);
  EXPECT_EQ(fx.LoadState(whole, 0), 72);
  EXPECT_EQ(fx.GetParam(1)->value, 300.0);
}

TEST(ParamState, StoredValuesAreClampedButNotRounded) {
  FakeCore fx(MakeIdentity(3, "1-1", 0));
  fx.GetParam(0)->SetupInt("A", 0, 0, 100);
  fx.GetParam(1)->SetupInt("B", 0, 0, 100);
  fx.GetParam(2)->SetupInt("C", 50, 0, 100);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const StateChunk c = DoublesChunk({250, 12.5, nan});
  EXPECT_EQ(fx.ReadParamState(c, 0), 24);
  EXPECT_EQ(fx.GetParam(0)->value, 100.0);
  EXPECT_EQ(fx.GetParam(1)->value, 12.5);
  EXPECT_EQ(fx.GetParam(2)->value, 0.0);  // a NaN in a damaged state reads as 0
}

TEST(ParamState, RefusedParametersKeepTheirValueButReadingGoesOn) {
  FakeCore fx(MakeIdentity(2, "1-1", 0));
  fx.GetParam(0)->SetupInt("A", 5, 0, 100);
  fx.GetParam(1)->SetupInt("B", 5, 0, 100);
  fx.refuseParam = 0;
  EXPECT_EQ(fx.ReadParamState(DoublesChunk({7, 8}), 0), 16);
  EXPECT_EQ(fx.GetParam(0)->value, 5.0);
  EXPECT_EQ(fx.GetParam(1)->value, 8.0);
  EXPECT_EQ(fx.changed, (std::vector<int>{1}));
}

TEST(ParamState, TextSlotsFollowTheValuesAndEmptyTravelsAsZero) {
  FakeCore fx(MakeIdentity(1, "1-1", 0));
  fx.GetParam(0)->SetupInt("A", 3, 0, 10);
  const int perSlot[] = {4, 0};
  fx.UseTextSlots(2, 0, perSlot);
  ASSERT_TRUE(fx.SetTextSlotText(0, "abcdef"));
  EXPECT_STREQ(fx.TextSlotText(0), "abcd");  // cut at the slot's maximum
  EXPECT_FALSE(fx.SetTextSlotText(2, "x"));

  StateChunk c;
  ASSERT_TRUE(fx.WriteParamState(c));
  // 8 bytes of value, then "abcd" and "0", each with a 4-byte length.
  ASSERT_EQ(c.Size(), 8 + 4 + 4 + 4 + 1);
  EXPECT_EQ(std::memcmp(c.Data() + 8,
                        "\x04\0\0\0abcd\x01\0\0\0"
                        "0",
                        13),
            0);

  FakeCore reader(MakeIdentity(1, "1-1", 0));
  reader.GetParam(0)->SetupInt("A", 0, 0, 10);
  reader.UseTextSlots(2, 3, nullptr);
  reader.SetTextSlotText(1, "kept");
  EXPECT_EQ(reader.ReadParamState(c, 0), c.Size());
  EXPECT_STREQ(reader.TextSlotText(0), "abc");  // the reader's own maximum applies
  EXPECT_STREQ(reader.TextSlotText(1), "kep");  // "0" leaves the slot as it is
  EXPECT_EQ(reader.changedSlots, (std::vector<int>{0}));
}

}  // namespace
}  // namespace quivorant
