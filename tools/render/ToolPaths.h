// Where the tool finds the plug-ins built beside it.
#pragma once

#include <string>

#include "tools/render/RenderOptions.h"

namespace quivorant::render {

// The directory of the running executable, with a trailing separator.
std::string ExecutableDirectory();

// The plug-in of that format built into the same folder as the tool.
std::string DefaultPluginPath(PluginFormat format);

// A VST3 bundle folder resolves to the module inside it; anything else is returned as it is.
std::string ResolveVst3Module(const std::string& path);

}  // namespace quivorant::render
