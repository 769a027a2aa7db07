// How editor units (the layout's 395 x 248 and every control rectangle) map to the window's
// physical pixels. Controls never see physical pixels: drawing maps out through ToWindow, mouse
// positions come back in through ToEditor. Factor 1 maps every value onto itself, so an unscaled
// editor draws exactly as it always has.
#pragma once

#include <cmath>
#include <cstdint>

#include "graphics/PixelRect.h"

namespace quivorant {

// The sizes a user can pick from the editor's background menu, in percent.
inline constexpr int kEditorScaleChoices[] = {100, 125, 150, 175, 200};
// Host or screen factors outside this range are taken as its ends: below 1 the art is no longer
// legible, above 4 a window outgrows any screen.
inline constexpr double kMinEditorScale = 1.0;
inline constexpr double kMaxEditorScale = 4.0;

class EditorScale {
public:
  EditorScale() = default;
  // A factor that is not a finite number is taken as 1.
  explicit EditorScale(double factor);

  double Factor() const { return factor_; }
  bool IsUnity() const { return factor_ == 1.0; }

  int ToWindow(int v) const;
  float ToWindow(float v) const { return IsUnity() ? v : float(double(v) * factor_); }
  PixelRect ToWindow(const PixelRect& r) const;
  // A window position back to the editor unit it falls in.
  int ToEditor(int v) const;
  // The editor units a window rectangle touches, rounded outwards.
  PixelRect ToEditorCovering(const PixelRect& r) const;

  bool operator==(const EditorScale& o) const { return factor_ == o.factor_; }
  bool operator!=(const EditorScale& o) const { return factor_ != o.factor_; }

private:
  double factor_ = 1.0;
};

// The percent of a saved or chosen size when it is one of the menu's choices, else 0.
int ValidScaleChoice(int percent);

}  // namespace quivorant
