#include "graphics/x11/detail/XftDpi.h"

#include <X11/Xresource.h>

#include <cmath>
#include <cstdlib>

namespace quivorant::x11 {

double XftDpi(Display* display) {
  const char* resources = display ? XResourceManagerString(display) : nullptr;
  if (!resources) return kBaseDpi;
  XrmInitialize();
  XrmDatabase database = XrmGetStringDatabase(resources);
  if (!database) return kBaseDpi;
  double dpi = kBaseDpi;
  char* type = nullptr;
  XrmValue value{};
  if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
    const double read = std::strtod(value.addr, nullptr);
    if (std::isfinite(read) && read > 0.0) dpi = read;
  }
  XrmDestroyDatabase(database);
  return dpi;
}

}  // namespace quivorant::x11
