// The resolution the desktop asks applications to draw text at (the X resource Xft.dpi, which
// desktop scaling settings write). 96 is 100 %.
#pragma once

#include <X11/Xlib.h>

namespace quivorant::x11 {

inline constexpr double kBaseDpi = 96.0;

// Xft.dpi of the display's resource database, or kBaseDpi when it is missing or not a
// positive number.
double XftDpi(Display* display);

}  // namespace quivorant::x11
