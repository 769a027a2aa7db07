#include "raster/RasterFontHandle.h"

#include <windows.h>

namespace quivorant {

RasterFontHandle RasterCreateFontHandle(const RasterFontRequest& request) {
  if (request.faceName == nullptr || request.faceName[0] == '\0') return nullptr;
  HFONT font = CreateFontA(request.height, 0, request.escapement, request.orientation, request.weight,
                           request.italic ? TRUE : FALSE, FALSE, FALSE, 0, 0, 0, static_cast<DWORD>(request.quality), 0,
                           request.faceName);
  return font;
}

void RasterDeleteFontHandle(RasterFontHandle handle) {
  if (handle != nullptr) DeleteObject(static_cast<HGDIOBJ>(handle));
}

}  // namespace quivorant
