#include <filesystem>
#include <system_error>

#include "tools/render/ToolPaths.h"

namespace quivorant::render {

std::string DefaultPluginPath(PluginFormat format) {
#if defined(_WIN32)
  return ExecutableDirectory() + (format == PluginFormat::kVst3 ? "quivorant_x64.vst3" : "quivorant_x64.dll");
#else
  return ExecutableDirectory() + (format == PluginFormat::kVst3 ? "quivorant.vst3" : "quivorant.so");
#endif
}

std::string ResolveVst3Module(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path bundle(path);
  if (!std::filesystem::is_directory(bundle, ec)) return path;
#if defined(_WIN32)
  const char* arch = "x86_64-win";
  const std::string ext = ".vst3";
#else
  const char* arch = "x86_64-linux";
  const std::string ext = ".so";
#endif
  return (bundle / "Contents" / arch / (bundle.stem().string() + ext)).string();
}

}  // namespace quivorant::render
