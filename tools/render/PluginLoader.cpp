#include <filesystem>
#include <system_error>

#include "platform/SharedLibrary.h"
#include "tools/render/HostedPlugin.h"
#include "tools/render/ToolPaths.h"

namespace quivorant::render {

std::unique_ptr<HostedPlugin> LoadPlugin(PluginFormat format, const std::string& path, std::string* error) {
  // The common mistakes in our words, before the system loader answers in its own.
  const std::string module = format == PluginFormat::kVst3 ? ResolveVst3Module(path) : path;
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(module, ec);
  if (!std::filesystem::exists(status)) {
    *error = "no plug-in at \"" + module + "\"";
    return nullptr;
  }
  if (std::filesystem::is_directory(status)) {
    *error = "\"" + module + "\" is a folder, not a plug-in";
    return nullptr;
  }
  if (format == PluginFormat::kVst3) return LoadVst3Plugin(module, error);
  return LoadVst2Plugin(module, error);
}

bool OpenPluginLibrary(SharedLibrary& library, const std::string& path, std::string* error) {
  if (library.Open(path)) return true;
  *error = "cannot load plug-in \"" + path + "\": not a library this system can load";
  return false;
}

}  // namespace quivorant::render
