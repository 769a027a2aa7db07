// A colour as four 0..255 channels, packed as (A << 24) | (R << 16) | (G << 8) | B whenever it
// is handed to the raster layer.
#pragma once

#include <cstdint>

namespace quivorant {

struct ArgbColor {
  int A = 255;
  int R = 0;
  int G = 0;
  int B = 0;

  constexpr ArgbColor() = default;
  constexpr ArgbColor(int a, int r, int g, int b) : A(a), R(r), G(g), B(b) {}

  // Channels outside 0..255 are cut to their low byte so one channel never bleeds into another.
  constexpr uint32_t Packed() const {
    return (uint32_t(A & 0xFF) << 24) | (uint32_t(R & 0xFF) << 16) | (uint32_t(G & 0xFF) << 8) | uint32_t(B & 0xFF);
  }
  // Opacity as a raster alpha.
  constexpr float Opacity() const { return float(A) / 255.0f; }
};

}  // namespace quivorant
