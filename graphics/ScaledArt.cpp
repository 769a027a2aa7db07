#include "graphics/ScaledArt.h"

#include "raster/RasterBlit.h"
#include "raster/RasterResample.h"

namespace quivorant {

namespace {

constexpr int kHiResFactor = 2;

}  // namespace

ScaledArt::ScaledArt() = default;
ScaledArt::~ScaledArt() = default;

void ScaledArt::NoteOrigin(const RasterBitmap* bitmap, int key, int column) {
  if (!bitmap || OriginOf(bitmap)) return;
  origins_.push_back(Origin{bitmap, key, column});
}

void ScaledArt::NoteCut(const RasterBitmap* part, const RasterBitmap* parent, int column) {
  if (const Origin* from = OriginOf(parent)) NoteOrigin(part, from->key, from->column + column);
}

void ScaledArt::SetScale(const EditorScale& scale) {
  if (scale == scale_) return;
  scale_ = scale;
  versions_.clear();
}

const ScaledArt::Origin* ScaledArt::OriginOf(const RasterBitmap* bitmap) const {
  for (const Origin& o : origins_) {
    if (o.bitmap == bitmap) return &o;
  }
  return nullptr;
}

RasterBitmap* ScaledArt::For(RasterBitmap* base, const HiResLoader& loadHiRes) {
  if (!base || scale_.IsUnity()) return base;
  for (const Version& v : versions_) {
    if (v.base == base) return v.pixels ? static_cast<RasterBitmap*>(v.pixels.get()) : base;
  }
  versions_.push_back(Version{base, Make(base, loadHiRes)});
  const Version& made = versions_.back();
  return made.pixels ? static_cast<RasterBitmap*>(made.pixels.get()) : base;
}

std::unique_ptr<RasterMemBitmap> ScaledArt::Make(RasterBitmap* base, const HiResLoader& loadHiRes) const {
  const int w = base->Width();
  const int h = base->Height();
  const int outW = scale_.ToWindow(w);
  const int outH = scale_.ToWindow(h);
  const Origin* origin = OriginOf(base);
  RasterBitmap* hiRes = origin && loadHiRes ? loadHiRes(origin->key) : nullptr;
  const int hiX = origin ? origin->column * kHiResFactor : 0;
  const bool fits = hiRes && hiRes->Height() == h * kHiResFactor && hiRes->Width() >= hiX + w * kHiResFactor;
  if (!fits) return RasterResampleArea(base, 0, 0, w, h, outW, outH);
  if (outW == w * kHiResFactor && outH == h * kHiResFactor) {
    // The 2x art as drawn, unfiltered.
    auto exact = std::make_unique<RasterMemBitmap>(outW, outH, 4);
    RasterBlit(exact.get(), hiRes, 0, 0, hiX, 0, outW, outH, 1.0f, kRasterCopy);
    return exact;
  }
  return RasterResampleArea(hiRes, hiX, 0, w * kHiResFactor, h * kHiResFactor, outW, outH);
}

}  // namespace quivorant
