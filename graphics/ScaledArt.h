// The editor's images at the current scale. Controls hold references to the 1x bitmaps (their
// sizes are the layout's); drawing asks here for the bitmap to use instead. At scale 1 that is the
// 1x bitmap itself, at other scales a version made once from the 2x art (cut to the same columns
// as the 1x bitmap, resampled unless the scale is exactly 2) and kept until the scale changes.
// Bitmaps without 2x art, or whose origin is unknown, are resampled from themselves.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "graphics/EditorScale.h"

namespace quivorant {

class RasterBitmap;
class RasterMemBitmap;

class ScaledArt {
public:
  // Answers the 2x art of the image numbered key, or null where there is none.
  using HiResLoader = std::function<RasterBitmap*(int key)>;

  ScaledArt();
  ~ScaledArt();

  // bitmap shows the columns [column, column + bitmap's width) of the image numbered key.
  void NoteOrigin(const RasterBitmap* bitmap, int key, int column);
  // A bitmap cut from the columns [column, ...) of parent.
  void NoteCut(const RasterBitmap* part, const RasterBitmap* parent, int column);
  // Forgets every version made for the previous scale.
  void SetScale(const EditorScale& scale);
  // The bitmap to draw in place of base; base itself at scale 1 or when no version can be made.
  RasterBitmap* For(RasterBitmap* base, const HiResLoader& loadHiRes);

private:
  struct Origin {
    const RasterBitmap* bitmap;
    int key;
    int column;
  };
  struct Version {
    const RasterBitmap* base;
    std::unique_ptr<RasterMemBitmap> pixels;
  };

  const Origin* OriginOf(const RasterBitmap* bitmap) const;
  std::unique_ptr<RasterMemBitmap> Make(RasterBitmap* base, const HiResLoader& loadHiRes) const;

  EditorScale scale_;
  std::vector<Origin> origins_;
  std::vector<Version> versions_;
};

}  // namespace quivorant
