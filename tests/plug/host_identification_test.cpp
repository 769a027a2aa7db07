#include <gtest/gtest.h>

#include <string>

#include "plug/HostIdentification.h"
#include "tests/support/FakeCore.h"

namespace quivorant {
namespace {

TEST(HostCode, NamesInAnyCase) {
  EXPECT_EQ(LookupHostCode("Cubase 12"), 3);
  EXPECT_EQ(LookupHostCode("CUBASE"), 3);
  EXPECT_EQ(LookupHostCode("REAPER64"), 1);
  EXPECT_EQ(LookupHostCode("Steinberg Nuendo"), 4);
  EXPECT_EQ(LookupHostCode("Ardour"), 27);
  EXPECT_EQ(LookupHostCode("gold"), 30);
  EXPECT_EQ(LookupHostCode("Some Other DAW"), 0);
  EXPECT_EQ(LookupHostCode(""), 0);
  EXPECT_EQ(LookupHostCode(nullptr), 0);
}

TEST(HostCode, TableOrderSettlesOverlaps) {
  EXPECT_EQ(LookupHostCode("Nuendo with Cubase inside"), 3);
  EXPECT_EQ(LookupHostCode("WaveLab Gold"), 28);
  EXPECT_EQ(LookupHostCode("Deliverance"), 9);  // "live" inside a longer word
  EXPECT_EQ(LookupHostCode("Cakewalk Live"), 5);
  EXPECT_EQ(LookupHostCode("BrainwaveProducer Cubase"), 29);
  EXPECT_EQ(LookupHostCode("Digital Performer"), 22);
}

TEST(HostCode, OnlyTheFirst255CharactersCount) {
  const std::string padded = std::string(250, 'x') + "reaper";
  EXPECT_EQ(LookupHostCode(padded.c_str()), 0);  // cut inside "reaper"
  const std::string fits = std::string(249, 'x') + "reaper";
  EXPECT_EQ(LookupHostCode(fits.c_str()), 1);
}

TEST(HostCode, SetHostStoresCodeAndVersion) {
  test::FakeCore fx(test::MakeIdentity(0, "1-1", 0));
  EXPECT_EQ(fx.HostCode(), -1);
  fx.SetHost("REAPER", 0x060000);
  EXPECT_EQ(fx.HostCode(), 1);
  EXPECT_EQ(fx.HostVersion(), 0x060000);
  fx.SetHost(nullptr, 0);
  EXPECT_EQ(fx.HostCode(), 0);
}

}  // namespace
}  // namespace quivorant
