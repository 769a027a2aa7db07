#include "tools/moduleinfo/ModuleInfoJson.h"

#include <cstdio>
#include <cstring>

namespace quivorant::moduleinfo {

using namespace Steinberg;

namespace {

// A fixed-size interface text, which need not be terminated, as a JSON string.
template <std::size_t N>
std::string Quoted(const char8 (&text)[N]) {
  std::string out = "\"";
  for (std::size_t i = 0; i < N && text[i] != '\0'; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Bool(bool value) { return value ? "true" : "false"; }

// "Fx|Stereo" as ["Fx", "Stereo"].
std::string SubCategories(const char8 (&text)[PClassInfo2::kSubCategoriesSize]) {
  std::string out = "[";
  char8 part[PClassInfo2::kSubCategoriesSize] = {};
  std::size_t length = 0;
  for (std::size_t i = 0; i <= sizeof text; ++i) {
    const char8 c = i < sizeof text ? text[i] : '\0';
    if (c != '|' && c != '\0') {
      part[length++] = c;
      continue;
    }
    if (length > 0) {
      part[length] = '\0';
      out += (out.size() > 1 ? ", " : "") + Quoted(part);
    }
    length = 0;
    if (c == '\0') break;
  }
  return out + "]";
}

std::string ClassEntry(const PFactoryInfo& factory, const PClassInfo2& info) {
  char cid[33];
  FUID(info.cid).toString(cid);
  std::string out = "    {\n";
  out += "      \"CID\": \"" + std::string(cid) + "\",\n";
  out += "      \"Category\": " + Quoted(info.category) + ",\n";
  out += "      \"Name\": " + Quoted(info.name) + ",\n";
  out += "      \"Vendor\": " + (info.vendor[0] != '\0' ? Quoted(info.vendor) : Quoted(factory.vendor)) + ",\n";
  out += "      \"Version\": " + Quoted(info.version) + ",\n";
  out += "      \"SDKVersion\": " + Quoted(info.sdkVersion) + ",\n";
  out += "      \"Sub Categories\": " + SubCategories(info.subCategories) + ",\n";
  out += "      \"Class Flags\": " + std::to_string(info.classFlags) + ",\n";
  out += "      \"Cardinality\": " + std::to_string(info.cardinality) + ",\n";
  out += "      \"Snapshots\": []\n";
  return out + "    }";
}

}  // namespace

std::string ModuleInfoJson(const std::string& moduleName, const PFactoryInfo& factory,
                           const std::vector<PClassInfo2>& classes) {
  char8 name[256] = {};
  std::strncpy(name, moduleName.c_str(), sizeof name - 1);
  char8 version[PClassInfo2::kVersionSize] = {};
  if (!classes.empty()) std::memcpy(version, classes.front().version, sizeof version);
  std::string out = "{\n";
  out += "  \"Name\": " + Quoted(name) + ",\n";
  out += "  \"Version\": " + Quoted(version) + ",\n";
  out += "  \"Factory Info\": {\n";
  out += "    \"Vendor\": " + Quoted(factory.vendor) + ",\n";
  out += "    \"URL\": " + Quoted(factory.url) + ",\n";
  out += "    \"E-Mail\": " + Quoted(factory.email) + ",\n";
  out += "    \"Flags\": {\n";
  out += "      \"Unicode\": " + Bool(factory.flags & PFactoryInfo::kUnicode) + ",\n";
  out += "      \"Classes Discardable\": " + Bool(factory.flags & PFactoryInfo::kClassesDiscardable) + ",\n";
  out += "      \"Component Non Discardable\": " + Bool(factory.flags & PFactoryInfo::kComponentNonDiscardable) + "\n";
  out += "    }\n";
  out += "  },\n";
  out += "  \"Compatibility\": [],\n";
  out += "  \"Classes\": [\n";
  for (std::size_t i = 0; i < classes.size(); ++i)
    out += ClassEntry(factory, classes[i]) + (i + 1 < classes.size() ? ",\n" : "\n");
  out += "  ]\n";
  return out + "}\n";
}

}  // namespace quivorant::moduleinfo
