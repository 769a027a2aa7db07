// Blit and fill modes: bits 0-7 the operation, bits 8-15 the filter, bit 16 "use source alpha".
// The editor uses kRasterCopy, kRasterCopy|kRasterUseSourceAlpha, kRasterAdd|kRasterUseSourceAlpha,
// kRasterDodge|kRasterUseSourceAlpha, and each of them with kRasterBilinear for rotated blits.
#pragma once

namespace quivorant {

constexpr int kRasterCopy = 0;
constexpr int kRasterAdd = 1;
constexpr int kRasterDodge = 2;
constexpr int kRasterOperationMask = 0xFF;
constexpr int kRasterBilinear = 0x100;
constexpr int kRasterFilterMask = 0xFF00;
constexpr int kRasterUseSourceAlpha = 0x10000;

}  // namespace quivorant
