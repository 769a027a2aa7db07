#include "tests/editor/EditorPicture.h"

#include <algorithm>
#include <cstdlib>

#include "raster/RasterPng.h"
#include "raster/RasterPngWriter.h"
#include "raster/RasterSysBitmap.h"

namespace quivorant::test {

namespace {

Picture FromBitmap(RasterBitmap& bitmap) {
  Picture picture;
  picture.width = bitmap.Width();
  picture.height = bitmap.Height();
  const RasterPixel* data = bitmap.PixelData();
  if (!data) return Picture{};
  for (int y = 0; y < picture.height; ++y) {
    const int row = bitmap.IsBottomUp() ? picture.height - 1 - y : y;
    const RasterPixel* line = data + std::size_t(row) * std::size_t(bitmap.RowSpan());
    picture.pixels.insert(picture.pixels.end(), line, line + picture.width);
  }
  return picture;
}

}  // namespace

Picture LoadProductImage(const std::string& fileName) {
  const std::string path = std::string(QUIVORANT_IMG_DIR) + "/" + fileName;
  std::unique_ptr<RasterBitmap> bitmap(RasterLoadPngFile(path.c_str(), nullptr));
  return bitmap ? FromBitmap(*bitmap) : Picture{};
}

EditorUnderTest::EditorUnderTest() {
  fx.reset(static_cast<CLS_QUIVORANT*>(CreateEffectInstance(&host)));
  if (!fx) return;
  fx->NotifyAllParamsChanged();  // what every front end does first
  editor = dynamic_cast<IGraphics*>(fx->Editor());
}

EditorUnderTest::~EditorUnderTest() = default;

Picture EditorUnderTest::Render() {
  editor->MarkAllDirty();
  editor->Paint(PixelRect(0, 0, editor->Width(), editor->Height()));
  return FromBitmap(*editor->DrawBitmapSurface());
}

bool EditorUnderTest::Save(const std::string& path) {
  Render();
  return SaveBitmapPng(editor->DrawBitmapSurface(), path.c_str());
}

void EditorUnderTest::SetFromHost(int index, double normalized) {
  InstanceLock::Scope hold(fx->GetLock());
  editor->SetControlsFromParam(index, normalized, true);
  fx->GetParam(index)->SetFromNormalized(normalized);
  fx->HandleParamChange(index);
}

int ColourDistance(std::uint32_t a, std::uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
  }
  return worst;
}

std::uint32_t Over(std::uint32_t src, std::uint32_t dst) {
  const int alpha = int(src >> 24);
  std::uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int s = int((src >> shift) & 0xFF), d = int((dst >> shift) & 0xFF);
    out |= std::uint32_t((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
  }
  return out;
}

}  // namespace quivorant::test
