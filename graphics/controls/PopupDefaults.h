// The look of a pop-up list made without its own style and colours: the editor hands these out
// and a pop-up created without an editor at hand falls back to the same values.
#pragma once

#include "graphics/ArgbColor.h"
#include "graphics/TextStyle.h"

namespace quivorant {

inline TextStyle DefaultPopupTextStyle() { return TextStyle("Arial", 15, ArgbColor(200, 255, 255, 255)); }
inline constexpr ArgbColor kDefaultPopupBackground(245, 50, 50, 50);
inline constexpr ArgbColor kDefaultPopupFrame(75, 200, 200, 200);

}  // namespace quivorant
