// Glyph-cache text drawing: each character is rendered once, then its coverage is blended onto
// the destination in the text colour through the source-alpha compositing rule, so text looks
// the same on any bitmap and can be drawn with partial opacity.
#include "raster/RasterCachedFont.h"

#include "platform/WineCheck.h"
#include "raster/RasterBlendMode.h"
#include "raster/detail/Clip.h"
#include "raster/detail/GlyphSource.h"
#include "raster/detail/PixelOps.h"
#include "raster/detail/TextDecode.h"

#include <algorithm>
#include <utility>

namespace quivorant {

using namespace detail;

namespace {

struct Line {
  std::size_t begin;
  std::size_t end;
};

std::vector<Line> SplitLines(const std::vector<std::uint32_t>& codes) {
  std::vector<Line> lines;
  std::size_t begin = 0;
  for (std::size_t i = 0; i <= codes.size(); ++i) {
    if (i == codes.size() || codes[i] == '\n') {
      lines.push_back(Line{begin, i});
      begin = i + 1;
    }
  }
  return lines;
}

struct Clip {
  long long left, top, right, bottom;
};

}  // namespace

RasterCachedFont::RasterCachedFont() : glyphs_(new RasterGlyphCache) {}

RasterCachedFont::~RasterCachedFont() {
  // The renderer lets go of the font before the font is deleted.
  glyphs_.reset();
  if ((flags_ & kRasterFontOwnsHandle) != 0 && handle_ != nullptr) RasterDeleteFontHandle(handle_);
}

void RasterCachedFont::SetFromFontHandle(RasterFontHandle handle, int flags) {
  glyphs_->glyphs.clear();
  glyphs_->source.reset();
  if ((flags_ & kRasterFontOwnsHandle) != 0 && handle_ != nullptr && handle != handle_) {
    RasterDeleteFontHandle(handle_);
  }
  handle_ = handle;
  flags_ = flags;
  lineHeight_ = 0;
  if (handle_ == nullptr) return;
  glyphs_->source = GlyphSource::Create(handle_);
  if (glyphs_->source == nullptr) return;
  lineHeight_ = glyphs_->source->LineHeight();
  if ((flags_ & kRasterFontPrerender) != 0) {
    for (std::uint32_t code = 0; code < 128; ++code) glyphs_->source->Render(code, &glyphs_->glyphs[code]);
  }
}

RasterPixel RasterCachedFont::SetTextColor(RasterPixel colour) { return std::exchange(textColor_, colour); }
std::uint32_t RasterCachedFont::SetBackgroundColor(std::uint32_t value) {
  return std::exchange(backgroundColor_, value);
}
std::uint32_t RasterCachedFont::SetOutlineColor(std::uint32_t value) { return std::exchange(outlineColor_, value); }
std::uint32_t RasterCachedFont::SetOutlineWidth(std::uint32_t value) { return std::exchange(outlineWidth_, value); }
void RasterCachedFont::SetDrawMode(int mode, float alpha) {
  drawMode_ = mode;
  drawAlpha_ = alpha;
}

bool RasterCachedFont::UsesSystemRenderer(RasterBitmap* dest, int flags) const {
  if (dest == nullptr || dest->DeviceContext() == nullptr) return false;
  if (lineHeight_ > 255) return true;
  return (flags_ & kRasterFontSystemRenderer) != 0 && (flags & kRasterTextUseAlpha) == 0 &&
         (flags_ & (kRasterFontPrerender | kRasterFontGlyphOnlyMask)) == 0 && !IsRunningUnderWine();
}

namespace {

const Glyph* FindGlyph(RasterGlyphCache& cache, std::uint32_t code) {
  auto found = cache.glyphs.find(code);
  if (found != cache.glyphs.end()) return &found->second;
  Glyph& glyph = cache.glyphs[code];
  // Control characters (a tab, the '\r' of a "\r\n" line end) take no room and draw nothing,
  // instead of showing the font's missing-glyph box.
  if (code >= 0x20 && code != 0x7F) cache.source->Render(code, &glyph);
  return &glyph;
}

int LineWidth(RasterGlyphCache& cache, const std::vector<std::uint32_t>& codes, Line line) {
  int width = 0;
  for (std::size_t i = line.begin; i < line.end; ++i) width += FindGlyph(cache, codes[i])->advance;
  return width;
}

void BlendGlyph(RasterBitmap* dest, const Glyph& g, long long penX, long long penY, const Clip& clip,
                RasterPixel colour, int opacity, int k, int mode) {
  RasterPixel* pixels = dest->PixelData();
  const long long span = dest->RowSpan();
  const long long x0 = std::max(clip.left, penX + g.left);
  const long long x1 = std::min(clip.right, penX + g.left + g.width);
  const long long y0 = std::max(clip.top, penY + g.top);
  const long long y1 = std::min(clip.bottom, penY + g.top + g.height);
  const RasterPixel rgb = colour & 0x00FFFFFFu;
  const long long gx = penX + g.left, gy = penY + g.top;
  for (long long y = y0; y < y1; ++y) {
    const std::uint8_t* cov = g.coverage.data() + (y - gy) * g.width;
    RasterPixel* row = pixels + y * span;
    for (long long x = x0; x < x1; ++x) {
      const int sa = cov[x - gx] * opacity / 255;
      if (sa == 0) continue;
      ComposeByMode(row[x], (static_cast<RasterPixel>(sa) << 24) | rgb, k, mode);
    }
  }
}

}  // namespace

int RasterCachedFont::DrawText(RasterBitmap* dest, const char* text, int count, const RasterRect& rect, int flags) {
  if (dest == nullptr || text == nullptr || handle_ == nullptr) return 0;
  const std::vector<std::uint32_t> codes = DecodeText(text, count);
  if (codes.empty()) return 0;
  if (UsesSystemRenderer(dest, flags) && SystemDrawText(dest->DeviceContext(), handle_, codes, rect.left, rect.top,
                                                        rect.right, rect.bottom, flags, textColor_)) {
    return lineHeight_;
  }
  if (glyphs_->source == nullptr || dest->PixelData() == nullptr) return 0;

  const std::vector<Line> lines = SplitLines(codes);
  const long long blockHeight = static_cast<long long>(lineHeight_) * static_cast<long long>(lines.size());
  long long top = rect.top;
  if ((flags & kRasterTextBottom) != 0) {
    top = static_cast<long long>(rect.bottom) - blockHeight;
  } else if ((flags & kRasterTextVCenter) != 0) {
    top = rect.top + (static_cast<long long>(rect.bottom) - rect.top - blockHeight) / 2;
  }
  Clip clip{0, 0, dest->Width(), dest->Height()};
  if ((flags & kRasterTextNoClip) == 0) {
    clip = Clip{std::max<long long>(0, rect.left), std::max<long long>(0, rect.top),
                std::min<long long>(dest->Width(), rect.right), std::min<long long>(dest->Height(), rect.bottom)};
  }
  const int opacity = (flags & kRasterTextUseAlpha) != 0 ? static_cast<int>(textColor_ >> 24) : 255;
  const int k = OpacityFromAlpha(drawAlpha_);
  const int mode = kRasterUseSourceAlpha | (drawMode_ & kRasterOperationMask);
  if (opacity == 0 || k == 0) return static_cast<int>(std::min<long long>(blockHeight, 0x7FFFFFFF));

  for (std::size_t n = 0; n < lines.size(); ++n) {
    const Line line = lines[n];
    const long long width = LineWidth(*glyphs_, codes, line);
    long long pen = rect.left;
    if ((flags & kRasterTextCenter) != 0) {
      pen = rect.left + (static_cast<long long>(rect.right) - rect.left - width) / 2;
    } else if ((flags & kRasterTextRight) != 0) {
      pen = static_cast<long long>(rect.right) - width;
    }
    const long long penY = top + static_cast<long long>(n) * lineHeight_;
    for (std::size_t i = line.begin; i < line.end; ++i) {
      const Glyph* g = FindGlyph(*glyphs_, codes[i]);
      if (g->width > 0 && g->height > 0) BlendGlyph(dest, *g, pen, penY, clip, textColor_, opacity, k, mode);
      pen += g->advance;
    }
  }
  return static_cast<int>(std::min<long long>(blockHeight, 0x7FFFFFFF));
}

int RasterCachedFont::DrawTextAt(RasterBitmap* dest, const char* text, int count, int x, int y, int flags) {
  const int width = MeasureText(text, count);
  const RasterRect at{x, y, x, y};
  DrawText(dest, text, count, at, (flags & ~(kRasterTextCenter | kRasterTextRight)) | kRasterTextNoClip);
  return width;
}

int RasterCachedFont::MeasureText(const char* text, int count) {
  if (text == nullptr || glyphs_->source == nullptr) return 0;
  const std::vector<std::uint32_t> codes = DecodeText(text, count);
  int widest = 0;
  for (const Line& line : SplitLines(codes)) widest = std::max(widest, LineWidth(*glyphs_, codes, line));
  return widest;
}

}  // namespace quivorant
