// Tolvane's web presence, in the two forms the plug-in hands out: the VST3 factory wants the host
// name only; the editor's link area opens the full address followed by "/" and the effect name.
#pragma once

namespace quivorant {

inline constexpr const char* kMakerWebHost = "www.tolvane.com";
inline constexpr const char* kMakerWebAddress = "https://www.tolvane.com";
inline constexpr const char* kMakerEmail = "support@tolvane.com";

}  // namespace quivorant
