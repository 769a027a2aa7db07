// Per-pixel blending rules shared by blits, fills, lines and text. k is the opacity in 1/256
// steps (0..256); sa a source pixel's alpha. Integer divisions truncate toward zero on purpose:
// the results must match pixel for pixel whatever the loop around them.
#pragma once

#include "raster/RasterBitmap.h"

#include <cstdint>

namespace quivorant {
namespace detail {

inline int Chan(RasterPixel p, int shift) { return static_cast<int>((p >> shift) & 0xFFu); }
inline int Alpha(RasterPixel p) { return static_cast<int>(p >> 24); }
inline int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
inline RasterPixel Pack(int a, int r, int g, int b) {
  return (static_cast<RasterPixel>(a) << 24) | (static_cast<RasterPixel>(r) << 16) |
         (static_cast<RasterPixel>(g) << 8) | static_cast<RasterPixel>(b);
}

// Opacity as 0..256 from a float weight; out-of-range and NaN weights are limited, because the
// rules below are only defined for 0..256.
inline int OpacityFromAlpha(float alpha) {
  if (!(alpha > 0.0f)) return 0;
  if (alpha >= 1.0f) return 256;
  return static_cast<int>(alpha * 256.0f);
}

inline RasterPixel Average(RasterPixel s, RasterPixel d) { return ((s >> 1) & 0x7F7F7F7Fu) + ((d >> 1) & 0x7F7F7F7Fu); }

// Plain copy at opacity k: every channel, alpha included, moves from dst toward src.
inline RasterPixel CopyBlend(RasterPixel s, RasterPixel d, int k) {
  const int w = 256 - k;
  auto mix = [&](int shift) {
    int sc = Chan(s, shift);
    return sc + (Chan(d, shift) - sc) * w / 256;
  };
  return Pack(mix(24), mix(16), mix(8), mix(0));
}

// Copy weighted by the source pixel's alpha; sa == 0 must be skipped by the caller.
inline RasterPixel SourceAlphaBlend(RasterPixel s, RasterPixel d, int k) {
  const int sa = Alpha(s);
  int a;
  int w;
  if (k == 256) {
    if (sa == 255) return s | 0xFF000000u;
    a = Alpha(d) + sa;
    w = 255 - sa;
  } else {
    const int l = k * (sa + 1) / 256;
    a = Alpha(d) + l;
    w = 256 - l;
  }
  auto mix = [&](int shift) {
    int sc = Chan(s, shift);
    return sc + (Chan(d, shift) - sc) * w / 256;
  };
  return Pack(a > 255 ? 255 : a, mix(16), mix(8), mix(0));
}

inline RasterPixel AddBlend(RasterPixel s, RasterPixel d, int k) {
  const int sa = Alpha(s);
  const int l = k * (sa + 1) / 256;
  auto add = [&](int shift) { return Clamp255(Chan(d, shift) + l * Chan(s, shift) / 256); };
  return Pack(Clamp255(Alpha(d) + sa * l / 256), add(16), add(8), add(0));
}

inline int DodgeChannel(int dst, int s) {
  int r = s > 254 ? dst * 256 : dst * 256 / (256 - s);
  return r > 255 ? 255 : r;
}

inline RasterPixel DodgeBlend(RasterPixel s, RasterPixel d, int k) {
  const int sa = Alpha(s);
  const int l = k * (sa + 1) / 256;
  auto dodge = [&](int shift) { return DodgeChannel(Chan(d, shift), l * Chan(s, shift) / 256); };
  return Pack(DodgeChannel(Alpha(d), sa * l / 256), dodge(16), dodge(8), dodge(0));
}

// Fill rules: the colour replaces or approaches the pixel; alpha approaches k itself.
inline RasterPixel FillCopyGeneral(RasterPixel colour, RasterPixel p, int k) {
  const int w = 256 - k;
  auto mix = [&](int shift) {
    int c = Chan(colour, shift);
    return (Chan(p, shift) - c) * w / 256 + c;
  };
  return Pack(k + (Alpha(p) - k) * w / 256, mix(16), mix(8), mix(0));
}

inline RasterPixel FillQuarter(RasterPixel colour, RasterPixel p) {
  return ((colour >> 2) & 0x3F3F3F3Fu) + ((p >> 1) & 0x7F7F7F7Fu) + ((p >> 2) & 0x3F3F3F3Fu);
}

inline RasterPixel FillThreeQuarters(RasterPixel colour, RasterPixel p) {
  return ((colour >> 1) & 0x7F7F7F7Fu) + ((colour >> 2) & 0x3F3F3F3Fu) + ((p >> 2) & 0x3F3F3F3Fu);
}

// Calls visit with the per-pixel copy rule for opacity k (1..256): the shift-and-mask shortcuts
// at 25, 50, 75 and 100 %, the general rule otherwise. Whole fills choose once per rectangle;
// single pixels (lines, sectors) go through FillCopy below and get the same results.
template <typename Visit>
inline void DispatchFillCopy(int k, Visit visit) {
  switch (k) {
    case 256:
      visit([](RasterPixel c, RasterPixel) { return c; });
      break;
    case 192:
      visit([](RasterPixel c, RasterPixel p) { return FillThreeQuarters(c, p); });
      break;
    case 128:
      visit([](RasterPixel c, RasterPixel p) { return Average(c, p); });
      break;
    case 64:
      visit([](RasterPixel c, RasterPixel p) { return FillQuarter(c, p); });
      break;
    default:
      visit([k](RasterPixel c, RasterPixel p) { return FillCopyGeneral(c, p, k); });
      break;
  }
}

inline RasterPixel FillCopy(RasterPixel colour, RasterPixel p, int k) {
  RasterPixel result = p;
  DispatchFillCopy(k, [&](auto rule) { result = rule(colour, p); });
  return result;
}

inline RasterPixel FillAdd(RasterPixel colour, RasterPixel p, int k) {
  auto add = [&](int shift) { return Clamp255(Chan(p, shift) + Chan(colour, shift) * k / 256); };
  return Pack(Clamp255(Alpha(p) + k * k / 256), add(16), add(8), add(0));
}

// Fill-style pixel for lines and sectors; operations other than copy and add draw nothing.
inline bool FillPixel(RasterPixel* p, RasterPixel colour, int k, int operation) {
  if (k <= 0) return false;
  if (operation == 0) {
    *p = FillCopy(colour, *p, k);
    return true;
  }
  if (operation == 1) {
    *p = FillAdd(colour, *p, k);
    return true;
  }
  return false;
}

// One source pixel composited onto one destination pixel by a blit mode's operation. Plain copies
// take every channel from the blend; the source-alpha forms skip transparent source pixels, and
// add and dodge without the source-alpha bit treat the source as opaque.
template <int Operation, bool SourceAlpha>
inline void Compose(RasterPixel& d, RasterPixel s, int k) {
  if (!SourceAlpha) s |= Operation == 0 ? 0u : 0xFF000000u;
  if (Operation == 0) {
    if (!SourceAlpha) {
      d = k == 256 ? s : CopyBlend(s, d, k);
    } else if ((s >> 24) != 0) {
      d = SourceAlphaBlend(s, d, k);
    }
  } else if (Operation == 1) {
    if ((s >> 24) != 0) d = AddBlend(s, d, k);
  } else if (Operation == 2) {
    d = DodgeBlend(s, d, k);
  }
}

// The same chosen at run time; false for operations that are not offered.
inline bool ComposeByMode(RasterPixel& d, RasterPixel s, int k, int mode) {
  const bool sa = (mode & 0x10000) != 0;
  switch (mode & 0xFF) {
    case 0:
      sa ? Compose<0, true>(d, s, k) : Compose<0, false>(d, s, k);
      return true;
    case 1:
      sa ? Compose<1, true>(d, s, k) : Compose<1, false>(d, s, k);
      return true;
    case 2:
      sa ? Compose<2, true>(d, s, k) : Compose<2, false>(d, s, k);
      return true;
    default:
      return false;
  }
}

}  // namespace detail
}  // namespace quivorant
