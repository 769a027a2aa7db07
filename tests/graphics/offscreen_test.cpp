// The off-screen editor: what Present keeps, saving it as PNG, loading images from the module's
// embedded PNG resources, and the prompts it records.
#include <gtest/gtest.h>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

#include "graphics/IGraphicsOffscreen.h"
#include "graphics/controls/IBitmapControl.h"
#include "platform/ModuleResources.h"
#include "platform/PlatformDefs.h"
#include "raster/RasterPng.h"
#include "raster/RasterPngWriter.h"
#include "raster/RasterSysBitmap.h"
#include "tests/graphics/DrawProbe.h"
#include "tests/graphics/TestCore.h"
#include "tests/graphics/TestEditor.h"

namespace quivorant::test {
namespace {

std::vector<unsigned char> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

TEST(Offscreen, PresentKeepsOnlyThePresentedRectangle) {
  TestCore core;
  auto* editor = new TestEditor(&core, 60, 40);
  core.AttachGraphics(editor);
  const ArgbColor red(255, 255, 0, 0);
  editor->AttachControl(
      new DrawProbe(PixelRect(0, 0, 60, 40), [&](IGraphics* g) { g->FillRect(red, PixelRect(0, 0, 60, 40)); }));
  FillBitmap(editor->Screen(), 0xFF000000u);
  editor->Paint(PixelRect(10, 10, 20, 20));
  EXPECT_EQ(PixelAt(editor->Screen(), 10, 10), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(editor->Screen(), 19, 19), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(editor->Screen(), 20, 19), 0xFF000000u);
  EXPECT_EQ(PixelAt(editor->Screen(), 5, 5), 0xFF000000u);
  // The draw bitmap itself was filled everywhere (fills clip only to the bitmap).
  EXPECT_EQ(PixelAt(editor->DrawBitmapSurface(), 5, 5), 0xFFFF0000u);
  EXPECT_EQ(editor->PresentCount(), 1);
  EXPECT_EQ(editor->LastPresented(), PixelRect(10, 10, 20, 20));
}

TEST(Offscreen, SavedImageDecodesToTheSamePixels) {
  std::unique_ptr<RasterBitmap> pattern(MakePatternBitmap(33, 17));
  pattern->PixelData()[5] = 0x80FF0000u;  // half-transparent red survives as straight alpha
  const char* path = "graphics_offscreen_roundtrip.png";
  ASSERT_TRUE(SaveBitmapPng(pattern.get(), path));
  const std::vector<unsigned char> bytes = ReadFile(path);
  std::remove(path);
  std::unique_ptr<RasterBitmap> decoded(RasterLoadPngMemory(bytes.data(), bytes.size(), nullptr));
  ASSERT_NE(decoded, nullptr);
  ASSERT_EQ(decoded->Width(), 33);
  ASSERT_EQ(decoded->Height(), 17);
  for (int y = 0; y < 17; ++y) {
    for (int x = 0; x < 33; ++x) ASSERT_EQ(PixelAt(decoded.get(), x, y), PixelAt(pattern.get(), x, y)) << x << "," << y;
  }
  EXPECT_FALSE(SaveBitmapPng(nullptr, path));
  EXPECT_FALSE(SaveBitmapPng(pattern.get(), "no/such/folder/x.png"));
}

#if QUIVORANT_PLATFORM_POSIX
// Windows builds read the module's real resource section instead of a registered table.
TEST(Offscreen, ImagesComeFromTheModulesPngResourcesAndAreDecodedOnce) {
  std::unique_ptr<RasterBitmap> pattern(MakePatternBitmap(24, 12));
  const char* path = "graphics_offscreen_resource.png";
  ASSERT_TRUE(SaveBitmapPng(pattern.get(), path));
  static const std::vector<unsigned char> bytes = ReadFile(path);
  std::remove(path);
  static const unsigned char junk[16] = {1, 2, 3};
  static const EmbeddedResource table[] = {{7771, "PNG", bytes.data(), bytes.size()}, {7772, "PNG", junk, sizeof junk}};
  RegisterEmbeddedResources(table, 2);

  TestCore core;
  auto* editor = new IGraphicsOffscreen(&core, 100, 100);
  core.AttachGraphics(editor);
  const BitmapRef image = editor->LoadBitmap(7771, "img/test.png", 2);
  ASSERT_NE(image.bitmap, nullptr);
  EXPECT_EQ(image.width, 24);
  EXPECT_EQ(image.height, 12);
  EXPECT_EQ(PixelAt(image.bitmap, 23, 11), PatternPixel(23, 11));
  EXPECT_EQ(editor->LoadBitmap(7771, "img/test.png", 1).bitmap, image.bitmap);
  EXPECT_EQ(editor->ResourceLoads(), 1);

  EXPECT_EQ(editor->LoadBitmap(7772, "img/junk.png", 1).bitmap, nullptr);  // undecodable
  EXPECT_EQ(editor->LoadBitmap(7773, "img/none.png", 1).width, 0);         // absent
}
#endif

TEST(Offscreen, PromptsAreRecordedAndDialogsAnswerNothingChosen) {
  TestCore core;
  auto* editor = new IGraphicsOffscreen(&core, 100, 100);
  core.AttachGraphics(editor);
  EXPECT_FALSE(editor->IsWindowOpen());
  EXPECT_EQ(editor->OpenWindow(nullptr), nullptr);
  char file[IGraphics::kPathCapacity] = "previous.wav";
  editor->PromptForFile(file, 0, nullptr, "wav");
  EXPECT_STREQ(file, "");
  ArgbColor colour(1, 2, 3, 4);
  EXPECT_FALSE(editor->PromptForColor(&colour, "Pick"));
  EXPECT_EQ(colour.R, 2);
  EXPECT_FALSE(editor->OpenUrl("https://example.invalid/", "t", nullptr, "err"));
  EXPECT_EQ(editor->LastUrlRequest().url, "https://example.invalid/");
  editor->SetOpenUrlResult(true);
  EXPECT_TRUE(editor->OpenUrl("u", nullptr, nullptr, nullptr));
  EXPECT_EQ(editor->LastUrlRequest().count, 2);
  char dir[IGraphics::kPathCapacity];
  editor->GetPluginDirectory(dir);
  const std::string plugin(dir);
  EXPECT_TRUE(plugin.empty() || plugin.back() == '/' || plugin.back() == '\\');
  EXPECT_FALSE(editor->HostMouseWheel(3.0f));
}

}  // namespace
}  // namespace quivorant::test
