#include "graphics/EditorScale.h"

#include <algorithm>

namespace quivorant {

namespace {

int32_t ClampRound(double v) { return PixelRect::ClampToInt(std::llround(std::clamp(v, -2e9, 2e9))); }

}  // namespace

EditorScale::EditorScale(double factor)
    : factor_(std::isfinite(factor) ? std::clamp(factor, kMinEditorScale, kMaxEditorScale) : 1.0) {}

int EditorScale::ToWindow(int v) const { return IsUnity() ? v : ClampRound(double(v) * factor_); }

PixelRect EditorScale::ToWindow(const PixelRect& r) const {
  if (IsUnity() || r.IsEmpty()) return r;
  return PixelRect(ToWindow(r.left), ToWindow(r.top), ToWindow(r.right), ToWindow(r.bottom));
}

int EditorScale::ToEditor(int v) const {
  if (IsUnity()) return v;
  // The inverse of ToWindow's rounding: the last unit u whose first pixel round(u * factor) is
  // at or before v, so that a pixel belongs to the unit drawn over it.
  const double u = std::ceil((double(v) + 0.5) / factor_) - 1.0;
  return PixelRect::ClampToInt(int64_t(std::clamp(u, -2e9, 2e9)));
}

PixelRect EditorScale::ToEditorCovering(const PixelRect& r) const {
  if (IsUnity() || r.IsEmpty()) return r;
  const auto after = [this](int v) { return PixelRect::ClampToInt(int64_t(ToEditor(v - 1)) + 1); };
  return PixelRect(ToEditor(r.left), ToEditor(r.top), after(r.right), after(r.bottom));
}

int ValidScaleChoice(int percent) {
  for (int choice : kEditorScaleChoices) {
    if (choice == percent) return percent;
  }
  return 0;
}

}  // namespace quivorant
