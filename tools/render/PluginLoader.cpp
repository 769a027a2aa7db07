#include "tools/render/HostedPlugin.h"
#include "tools/render/ToolPaths.h"

namespace quivorant::render {

std::unique_ptr<HostedPlugin> LoadPlugin(PluginFormat format, const std::string& path, std::string* error) {
  if (format == PluginFormat::kVst3) return LoadVst3Plugin(ResolveVst3Module(path), error);
  return LoadVst2Plugin(path, error);
}

}  // namespace quivorant::render
