// A system font described portably. On Windows the handle is an HFONT made by CreateFontA (the
// parameters mean what they mean there: height is the cell height in pixels when positive, the
// character height when negative). Elsewhere it is a description that RasterCachedFont resolves
// through fontconfig and FreeType. Whoever creates a handle deletes it with
// RasterDeleteFontHandle, or hands it to a RasterCachedFont with kRasterFontOwnsHandle.
#pragma once

namespace quivorant {

using RasterFontHandle = void*;

// Quality values, as CreateFontA takes them.
constexpr int kRasterFontDefaultQuality = 0;
constexpr int kRasterFontNonAntialiased = 3;
constexpr int kRasterFontAntialiased = 4;
constexpr int kRasterFontClearType = 5;

struct RasterFontRequest {
  const char* faceName;  // e.g. "Arial"
  int height;            // pixels
  int escapement;        // tenths of a degree
  int orientation;       // tenths of a degree
  int weight;            // 400 normal, 700 bold
  bool italic;
  int quality;
};

// None when the font cannot be made (no face name, or the system refused).
RasterFontHandle RasterCreateFontHandle(const RasterFontRequest& request);
void RasterDeleteFontHandle(RasterFontHandle handle);

}  // namespace quivorant
