// A rectangle in editor pixels. Right and bottom lie just outside the drawn area; a rectangle
// whose four values are all zero counts as empty. Widths are computed in 64 bits and clamped so
// that rectangles built from hostile coordinates never overflow.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

namespace quivorant {

struct PixelRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  constexpr PixelRect() = default;
  constexpr PixelRect(int32_t l, int32_t t, int32_t r, int32_t b) : left(l), top(t), right(r), bottom(b) {}

  constexpr bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  int32_t Width() const { return ClampToInt(int64_t(right) - left); }
  int32_t Height() const { return ClampToInt(int64_t(bottom) - top); }

  // Both non-empty and overlapping; edges that only touch do not overlap.
  bool Intersects(const PixelRect& r) const {
    return !IsEmpty() && !r.IsEmpty() && left < r.right && r.left < right && top < r.bottom && r.top < bottom;
  }

  // All zero when the rectangles do not overlap.
  PixelRect Intersection(const PixelRect& r) const {
    if (!Intersects(r)) return PixelRect();
    return PixelRect(std::max(left, r.left), std::max(top, r.top), std::min(right, r.right),
                     std::min(bottom, r.bottom));
  }

  // An all-zero rectangle is the neutral element.
  PixelRect Union(const PixelRect& r) const {
    if (IsEmpty()) return r;
    if (r.IsEmpty()) return *this;
    return PixelRect(std::min(left, r.left), std::min(top, r.top), std::max(right, r.right),
                     std::max(bottom, r.bottom));
  }

  // Half-open, as drawn: the right and bottom edges lie outside.
  bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }

  bool operator==(const PixelRect& r) const {
    return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
  }
  bool operator!=(const PixelRect& r) const { return !(*this == r); }

  static int32_t ClampToInt(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }
};

}  // namespace quivorant
