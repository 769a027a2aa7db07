// The filter of a file dialog from a list of extensions separated by single spaces
// ("wav aif" -> "*.wav;*.aif"). Every space starts a new item, so doubled or trailing spaces give
// items of "*." alone.
#pragma once

#include <string>

namespace quivorant {

struct FileFilter {
  // Description and pattern (both the joined pattern), each NUL-terminated, then the empty
  // entry: exactly what the dialog's filter field wants. Empty without extensions.
  std::string filter;
  // The first extension, the dialog's default.
  std::string defaultExtension;
};

FileFilter MakeFileFilter(const char* extensions);

}  // namespace quivorant
