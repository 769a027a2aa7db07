// How a control's drawing is combined with what lies beneath: a method and an opacity weight.
#pragma once

namespace quivorant {

enum BlendMethod : int {
  kBlendAlpha = 0,  // copy using source alpha: normal compositing
  kBlendCopy = 1,   // source replaces destination, alpha ignored
  kBlendAdd = 2,    // additive glow
  kBlendDodge = 3,  // colour dodge
};

struct BlendSpec {
  int method = kBlendAlpha;
  float weight = 1.0f;

  constexpr BlendSpec() = default;
  constexpr BlendSpec(int m, float w) : method(m), weight(w) {}
};

// Raster blit mode for a blend; no blend at all composites with source alpha. Unknown methods
// fall back to normal compositing.
int BlendRasterMode(const BlendSpec* blend);
// The blend's weight, 1.0 without a blend.
float BlendWeight(const BlendSpec* blend);

}  // namespace quivorant
