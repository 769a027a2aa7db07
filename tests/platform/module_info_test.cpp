#include "platform/ModuleInfo.h"
#include "platform/ModuleResources.h"
#include "platform/PlatformDefs.h"
#include "platform/WineCheck.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace quivorant {
namespace {

// The test executable is the module the platform code is linked into here.
TEST(ModuleInfo, NamesTheFileThatHoldsThisCode) {
  EXPECT_NE(ThisModuleHandle(), nullptr);
  const std::string path = ThisModulePath();
  const std::string dir = ThisModuleDirectory();
  ASSERT_FALSE(path.empty());
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(path.compare(0, dir.size(), dir), 0) << path << " vs " << dir;
  EXPECT_NE(path.find("platform_tests"), std::string::npos) << path;
  const char last = dir.back();
  EXPECT_TRUE(dir.size() == 1 || (last != '/' && last != '\\')) << dir;
  std::FILE* self = std::fopen(path.c_str(), "rb");
  EXPECT_NE(self, nullptr) << path;
  if (self != nullptr) std::fclose(self);
}

TEST(WineCheck, MatchesTheLane) {
  // The windows lane runs its tests only under Wine.
  EXPECT_EQ(IsRunningUnderWine(), QUIVORANT_PLATFORM_WINDOWS == 1);
  EXPECT_EQ(IsRunningUnderWine(), IsRunningUnderWine());
}

const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

#if QUIVORANT_PLATFORM_POSIX
const unsigned char kOther[3] = {1, 2, 3};
const EmbeddedResource kTable[] = {
    {200, "PNG", kSignature, sizeof kSignature},
    {201, "PNG", kOther, sizeof kOther},
    {200, "TXT", kOther, sizeof kOther},
};
void RegisterTestResources() {
  RegisterEmbeddedResources(kTable, 3);
  RegisterEmbeddedResources(kTable, 3);  // twice is harmless
}
#else
void RegisterTestResources() {}  // test_resources.rc is linked in
#endif

TEST(ModuleResources, FindsByNumberAndTypeOnly) {
  RegisterTestResources();
  ResourceBytes bytes{nullptr, 0};
  ASSERT_TRUE(FindModuleResource(200, "PNG", &bytes));
  ASSERT_NE(bytes.data, nullptr);
  ASSERT_GE(bytes.size, sizeof kSignature);
  for (std::size_t i = 0; i < sizeof kSignature; ++i) EXPECT_EQ(bytes.data[i], kSignature[i]) << i;
  // Identifiers are 16-bit, as in a resource section.
  ResourceBytes high{nullptr, 0};
  ASSERT_TRUE(FindModuleResource(200 + 0x10000, "PNG", &high));
  EXPECT_EQ(high.data, bytes.data);
  ASSERT_TRUE(FindResourceInModule(ThisModuleHandle(), 200, "PNG", &high));
  EXPECT_EQ(high.data, bytes.data);

  ResourceBytes missing{kSignature, 5};
  EXPECT_FALSE(FindModuleResource(999, "PNG", &missing));
  EXPECT_EQ(missing.data, nullptr);
  EXPECT_EQ(missing.size, 0u);
  EXPECT_FALSE(FindModuleResource(200, "JPG", &missing));
  EXPECT_FALSE(FindModuleResource(200, nullptr, &missing));
  EXPECT_FALSE(FindModuleResource(200, "PNG", nullptr));
}

}  // namespace
}  // namespace quivorant
