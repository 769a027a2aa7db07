// Where the tool finds things: its own folder, and the plug-in it loads when none is named.
#pragma once

#include <string>
#include <vector>

#include "tools/render/RenderOptions.h"

namespace quivorant::render {

// The directory of the running executable, with a trailing separator.
std::string ExecutableDirectory();

// The folders searched for the plug-in when --plugin is not given, in order: the tool's own
// folder first, then where the README tells people to install it.
std::vector<std::string> PluginSearchFolders(PluginFormat format);

// The plug-in (a VST3 bundle folder or a single file) in the first folder that holds it; empty,
// with *error naming the folders searched and --plugin, when none does.
std::string FindPlugin(PluginFormat format, std::string* error);

// A VST3 bundle folder resolves to the module inside it; anything else is returned as it is.
std::string ResolveVst3Module(const std::string& path);

}  // namespace quivorant::render
