// A rectangle in bitmap pixels; right and bottom lie just outside it.
#pragma once

namespace quivorant {

struct RasterRect {
  int left;
  int top;
  int right;
  int bottom;
};

}  // namespace quivorant
