// A built plug-in library, loaded the way a host loads it (dlopen, or LoadLibrary under Windows
// and Wine), with its exports found by name.
#pragma once

#include <string>
#include <utility>

#include "platform/SharedLibrary.h"

namespace quivorant::test {

// Build paths are Unix paths; under Wine the Unix root is the Z: drive.
inline std::string LoadablePath(const std::string& path) {
#if defined(_WIN32)
  if (!path.empty() && path[0] == '/') return "Z:" + path;
#endif
  return path;
}

class Library {
public:
  // False (with Error() telling why) when the library cannot be loaded.
  bool Load(const std::string& path) { return library_.Open(LoadablePath(path), &error_); }
  void Close() { library_.Close(); }
  // An exported function; null when absent.
  void* Symbol(const char* name) const { return library_.Symbol(name); }
  void* Handle() const { return library_.Handle(); }
  const std::string& Error() const { return error_; }
  void SetError(std::string error) { error_ = std::move(error); }

private:
  SharedLibrary library_;
  std::string error_;
};

}  // namespace quivorant::test
