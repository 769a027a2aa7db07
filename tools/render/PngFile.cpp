#include "tools/render/PngFile.h"

#include "raster/RasterPngWriter.h"
#include "tools/render/OutputFile.h"

namespace quivorant::render {

bool WriteBitmapPng(RasterBitmap& bitmap, const std::string& path, std::string* error) {
  if (!bitmap.PixelData() || bitmap.Width() <= 0 || bitmap.Height() <= 0) {
    *error = "nothing to write to \"" + path + "\"";
    return false;
  }
  // The editor framework's writer, where OutputFile puts it, so a failure leaves nothing behind.
  return WriteOutputFile(path, error, [&](const std::string& tempPath, std::string* err) {
    if (SaveBitmapPng(&bitmap, tempPath.c_str())) return true;
    *err = "cannot write \"" + path + "\"";
    return false;
  });
}

}  // namespace quivorant::render
