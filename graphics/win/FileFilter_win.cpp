#include "graphics/win/FileFilter.h"

namespace quivorant {

FileFilter MakeFileFilter(const char* extensions) {
  FileFilter result;
  if (!extensions || !*extensions) return result;
  std::string pattern = "*.";
  const std::string list(extensions);
  for (char c : list) {
    if (c == ' ')
      pattern += ";*.";
    else
      pattern += c;
  }
  result.defaultExtension = list.substr(0, list.find(' '));
  result.filter = pattern;
  result.filter += '\0';
  result.filter += pattern;
  result.filter += '\0';
  result.filter += '\0';
  return result;
}

}  // namespace quivorant
