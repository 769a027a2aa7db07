// Bitmaps, fonts and the drawing operations offered to controls. Bitmap blits clip to the draw
// rectangle (the area being repainted); rotated bitmaps, lines, fills and text clip only to the
// draw bitmap itself. A bitmap reference without pixels draws nothing.
#include <algorithm>
#include <cmath>

#include "graphics/BitmapCache.h"
#include "graphics/FontCache.h"
#include "graphics/IGraphics.h"
#include "graphics/controls/IBackground.h"
#include "plug/Rounding.h"
#include "raster/RasterBlit.h"
#include "raster/RasterCachedFont.h"
#include "raster/RasterFill.h"
#include "raster/RasterLine.h"
#include "raster/RasterMemBitmap.h"
#include "raster/RasterSysBitmap.h"
#include "resources/ResourceIds.h"

namespace quivorant {

namespace {

constexpr float kPi = 3.14159265358979323846f;
constexpr int kRowAlignment = 4;

BitmapRef RefFor(RasterBitmap* bitmap, int frameCount, int companionKey) {
  BitmapRef ref;
  if (!bitmap) return ref;
  ref.bitmap = bitmap;
  ref.width = bitmap->Width();
  ref.height = bitmap->Height();
  ref.frameCount = frameCount;
  ref.companionKey = companionKey;
  return ref;
}

// A copy of the columns [x, x + w) of src in a bitmap of its own.
RasterBitmap* CopyColumns(RasterBitmap* src, int x, int w, int h) {
  auto* part = new RasterMemBitmap(w, h, kRowAlignment);
  RasterBlit(part, src, 0, 0, x, 0, w, h, 1.0f, kRasterCopy);
  return part;
}

}  // namespace

BitmapRef IGraphics::LoadBitmap(int key, const char* fileName, int frameCount) {
  BitmapCache& cache = BitmapCache::Instance();
  RasterBitmap* bitmap = cache.Find(key);
  if (!bitmap) bitmap = cache.Add(key, LoadBitmapResource(key, fileName));
  art_.NoteOrigin(bitmap, key, 0);
  return RefFor(bitmap, frameCount, 0);
}

void IGraphics::AttachBackground(int key, const char* fileName) {
  auto* background = new IBackground(plug_, LoadBitmap(key, fileName, 1));
  background->SetGraphics(this);
  controls_.insert(controls_.begin(), background);
  // Every index moved up by one.
  if (hoveredControl_ >= 0) ++hoveredControl_;
  if (capturedControl_ >= 0) ++capturedControl_;
}

BitmapRef IGraphics::SplitBitmap(BitmapRef* ref, float fraction) {
  if (!ref || !ref->bitmap) {
    if (ref) *ref = BitmapRef();
    return BitmapRef();
  }
  const int w = ref->width;
  const int h = ref->height;
  // A fraction outside 0..1 would ask for negative widths.
  const int leftWidth = std::clamp(TruncateToInt(float(w) * fraction), 0, w);
  const int rightWidth = std::clamp(TruncateToInt((1.0f - fraction) * float(w)), 0, w - leftWidth);
  RasterBitmap* source = ref->bitmap;

  const int key = --nextBitmapKey_;
  RasterBitmap* left = BitmapCache::Instance().Add(key, CopyColumns(source, 0, leftWidth, h));
  // The right part is this editor's own; it goes with the editor.
  ownedBitmaps_.emplace_back(CopyColumns(source, leftWidth, rightWidth, h));
  art_.NoteCut(left, source, 0);
  art_.NoteCut(ownedBitmaps_.back().get(), source, leftWidth);
  *ref = RefFor(ownedBitmaps_.back().get(), 1, key);
  return RefFor(left, 1, 0);
}

RasterBitmap* IGraphics::ArtFor(const BitmapRef& ref) {
  return art_.For(ref.bitmap, [this](int key) {
    BitmapCache& cache = BitmapCache::Instance();
    const int hiResKey = HiResImageKey(key);
    RasterBitmap* hiRes = cache.Find(hiResKey);
    return hiRes ? hiRes : cache.Add(hiResKey, LoadBitmapResource(hiResKey, nullptr));
  });
}

BitmapRef IGraphics::GetCachedBitmap(int key) { return RefFor(BitmapCache::Instance().Find(key), 1, 0); }

RasterCachedFont* IGraphics::GetCachedFont(TextStyle* style) {
  if (!style) return nullptr;
  style->cachedFont = FontCache::Instance().FontFor(*style);
  return style->cachedFont;
}

bool IGraphics::DrawBitmap(const BitmapRef& ref, const PixelRect& dest, int srcX, int srcY, const BlendSpec* blend) {
  if (!ref.bitmap || !drawBitmap_) return true;
  const PixelRect to = scale_.ToWindow(dest);
  const PixelRect r = to.Intersection(scale_.ToWindow(drawRect_));
  if (r.IsEmpty()) return true;
  srcX = PixelRect::ClampToInt(int64_t(scale_.ToWindow(srcX)) + r.left - to.left);
  srcY = PixelRect::ClampToInt(int64_t(scale_.ToWindow(srcY)) + r.top - to.top);
  RasterBlit(drawBitmap_.get(), ArtFor(ref), r.left, r.top, srcX, srcY, r.Width(), r.Height(), BlendWeight(blend),
             BlendRasterMode(blend));
  return true;
}

bool IGraphics::DrawBitmapFrame(const BitmapRef& ref, const PixelRect& dest, int frame, const BlendSpec* blend,
                                bool vertical) {
  int srcX = 0;
  int srcY = 0;
  if (ref.frameCount > 1 && frame > 1) {
    const double size = vertical ? ref.height : ref.width;
    const int offset = TruncateToInt(size * (double(frame) - 1.0) / ref.frameCount + 0.5);
    (vertical ? srcY : srcX) = offset;
  }
  return DrawBitmap(ref, dest, srcX, srcY, blend);
}

bool IGraphics::DrawRotatedBitmap(const BitmapRef& ref, int centreX, int centreY, double angle, const BlendSpec* blend,
                                  float srcX, float srcY) {
  if (!ref.bitmap || !drawBitmap_) return true;
  RasterBitmap* art = ArtFor(ref);
  const int w = scale_.ToWindow(ref.width);
  const int h = scale_.ToWindow(ref.height);
  centreX = scale_.ToWindow(centreX);
  centreY = scale_.ToWindow(centreY);
  RasterRotatedBlit(drawBitmap_.get(), art, PixelRect::ClampToInt(int64_t(centreX) - w / 2),
                    PixelRect::ClampToInt(int64_t(centreY) - h / 2), w, h, scale_.ToWindow(srcX), scale_.ToWindow(srcY),
                    float(w), float(h), float(angle), false, BlendWeight(blend),
                    BlendRasterMode(blend) | kRasterBilinear, 0.0f, 0.0f);
  return true;
}

bool IGraphics::DrawLine(const ArgbColor& colour, float x1, float y1, float x2, float y2, const BlendSpec* blend,
                         bool antialias) {
  if (!drawBitmap_) return true;
  RasterLineF(drawBitmap_.get(), scale_.ToWindow(x1), scale_.ToWindow(y1), scale_.ToWindow(x2), scale_.ToWindow(y2),
              colour.Packed(), colour.Opacity(), BlendRasterMode(blend), antialias);
  return true;
}

bool IGraphics::FillRect(const ArgbColor& colour, const PixelRect& rect, const BlendSpec* blend) {
  if (!drawBitmap_) return true;
  const PixelRect r = scale_.ToWindow(rect);
  RasterFillRect(drawBitmap_.get(), r.left, r.top, r.Width(), r.Height(), colour.Packed(), BlendWeight(blend),
                 BlendRasterMode(blend));
  return true;
}

bool IGraphics::DrawRoundRect(const ArgbColor& colour, const PixelRect& editorRect, int editorRadius,
                              const BlendSpec* blend, bool antialias) {
  RasterBitmap* dest = drawBitmap_.get();
  if (!dest) return true;
  const PixelRect rect = scale_.ToWindow(editorRect);
  const int r = scale_.ToWindow(editorRadius);
  const RasterPixel c = colour.Packed();
  const float a = colour.Opacity();
  const int mode = BlendRasterMode(blend);
  const int R = rect.right - 1;
  const int B = rect.bottom - 1;
  const int L = rect.left;
  const int T = rect.top;
  RasterLine(dest, L + r + 1, T, R - r - 1, T, c, a, mode, antialias);
  RasterLine(dest, R, T + r + 1, R, B - r - 1, c, a, mode, antialias);
  RasterLine(dest, L + r + 1, B, R - r - 1, B, c, a, mode, antialias);
  RasterLine(dest, L, T + r + 1, L, B - r - 1, c, a, mode, antialias);
  const float rf = float(r);
  RasterArc(dest, float(L + r), float(T + r), rf, -kPi / 2, 0.0f, c, a, mode, antialias);
  RasterArc(dest, float(R - r), float(T + r), rf, 0.0f, kPi / 2, c, a, mode, antialias);
  RasterArc(dest, float(R - r), float(B - r), rf, kPi / 2, kPi, c, a, mode, antialias);
  RasterArc(dest, float(L + r), float(B - r), rf, kPi, 3 * kPi / 2, c, a, mode, antialias);
  return true;
}

bool IGraphics::FillRoundRect(const ArgbColor& colour, const PixelRect& editorRect, int editorRadius, int corners,
                              const BlendSpec* blend, bool antialias) {
  RasterBitmap* dest = drawBitmap_.get();
  if (!dest) return true;
  const PixelRect rect = scale_.ToWindow(editorRect);
  const int r = scale_.ToWindow(editorRadius);
  const RasterPixel c = colour.Packed();
  const float weight = BlendWeight(blend);
  const float a = colour.Opacity();
  const int mode = BlendRasterMode(blend);
  const int W = rect.Width();
  const int H = rect.Height();
  const int L = rect.left;
  const int T = rect.top;
  const int Rt = rect.right;
  const int Bt = rect.bottom;
  const float rf = float(r);
  const bool top = corners == 4 || corners == 2;
  const bool bottom = corners == 4 || corners == -2;
  if (!top && !bottom) return true;

  if (corners == 4)
    RasterFillRect(dest, L, T + r + 1, W, H - 2 * r - 2, c, weight, mode);
  else if (corners == 2)
    RasterFillRect(dest, L, T + r + 1, W, H - r - 1, c, weight, mode);
  else
    RasterFillRect(dest, L, T, W, H - r - 1, c, weight, mode);
  if (top) {
    RasterFillRect(dest, L + r + 1, T, W - 2 * r - 2, r + 1, c, weight, mode);
    RasterFillSector(dest, float(L + r), float(T + r), rf, -kPi / 2, 0.0f, c, a, mode, antialias);
    RasterFillSector(dest, float(Rt - r - 1), float(T + r), rf, 0.0f, kPi / 2, c, a, mode, antialias);
  }
  if (bottom) {
    RasterFillRect(dest, L + r + 1, Bt - r - 1, W - 2 * r - 2, r + 1, c, weight, mode);
    RasterFillSector(dest, float(Rt - r - 1), float(Bt - r - 1), rf, kPi / 2, kPi, c, a, mode, antialias);
    RasterFillSector(dest, float(L + r), float(Bt - r - 1), rf, kPi, 3 * kPi / 2, c, a, mode, antialias);
  }
  return true;
}

bool IGraphics::DrawText(TextStyle* style, const char* text, const PixelRect& rect) {
  if (!text || !text[0]) return true;
  if (!style) return false;
  RasterCachedFont* font = nullptr;
  if (scale_.IsUnity()) {
    font = style->cachedFont ? style->cachedFont : GetCachedFont(style);
  } else {
    // The font itself at the window's size: stretched text would blur.
    TextStyle scaled = *style;
    scaled.size = scale_.ToWindow(style->size);
    font = FontCache::Instance().FontFor(scaled);
  }
  if (!font) return false;
  font->SetTextColor(style->color.Packed());
  int flags = kRasterTextNoClip;
  if (style->alignment == kAlignCenter)
    flags |= kRasterTextCenter;
  else if (style->alignment != kAlignLeft)
    flags |= kRasterTextRight;
  if (style->color.A < 255) flags |= kRasterTextUseAlpha;
  const PixelRect r = scale_.ToWindow(rect);
  if (drawBitmap_) font->DrawText(drawBitmap_.get(), text, -1, RasterRect{r.left, r.top, r.right, r.bottom}, flags);
  return true;
}

}  // namespace quivorant
