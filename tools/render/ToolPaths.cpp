#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "tools/render/ToolPaths.h"

namespace quivorant::render {

namespace {

std::string FromEnvironment(const char* name, const char* below) {
  const char* value = std::getenv(name);
  if (!value || !*value) return {};
  return (std::filesystem::path(value) / below).string();
}

std::string PluginFileName(PluginFormat format) {
#if defined(_WIN32)
  return format == PluginFormat::kVst3 ? "quivorant_x64.vst3" : "quivorant_x64.dll";
#else
  return format == PluginFormat::kVst3 ? "quivorant.vst3" : "quivorant.so";
#endif
}

}  // namespace

std::vector<std::string> PluginSearchFolders(PluginFormat format) {
  std::vector<std::string> folders = {ExecutableDirectory()};
#if defined(_WIN32)
  if (format == PluginFormat::kVst3) {
    folders.push_back(FromEnvironment("COMMONPROGRAMFILES", "VST3"));
  } else {
    folders.push_back(FromEnvironment("PROGRAMFILES", "VSTPlugins"));
    folders.push_back(FromEnvironment("PROGRAMFILES", "Steinberg\\VSTPlugins"));
  }
#else
  if (format == PluginFormat::kVst3) {
    folders.insert(folders.end(), {FromEnvironment("HOME", ".vst3"), "/usr/lib/vst3", "/usr/local/lib/vst3"});
  } else {
    folders.insert(folders.end(), {FromEnvironment("HOME", ".vst"), "/usr/lib/vst"});
  }
#endif
  folders.erase(std::remove(folders.begin(), folders.end(), std::string()), folders.end());
  return folders;
}

std::string FindPlugin(PluginFormat format, std::string* error) {
  const std::string name = PluginFileName(format);
  std::string searched;
  for (const std::string& folder : PluginSearchFolders(format)) {
    const std::string candidate = (std::filesystem::path(folder) / name).string();
    // A bundle counts only with its module inside; a single file as it is.
    std::error_code ec;
    const std::string module = format == PluginFormat::kVst3 ? ResolveVst3Module(candidate) : candidate;
    if (std::filesystem::is_regular_file(module, ec)) return candidate;
    searched += (searched.empty() ? "" : ", ") + folder;
  }
  *error = "no " + name + " in " + searched + "; give its path with --plugin";
  return {};
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
