// A dynamic library loaded the way a host loads a plug-in (dlopen, or LoadLibrary), for the
// command-line host and the test hosts. Unloaded when it goes away.
#pragma once

#include <string>

namespace quivorant {

class SharedLibrary {
public:
  SharedLibrary() = default;
  ~SharedLibrary() { Close(); }
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // Loads `path` (closing what was open). False when the system cannot load it; *reason (when
  // given) then holds the system's own words, for logs and tests rather than for users.
  bool Open(const std::string& path, std::string* reason = nullptr);
  void Close();
  // An exported symbol, or null (also when nothing is open).
  void* Symbol(const char* name) const;
  // The system's handle (dlopen's or the HMODULE), null when nothing is open.
  void* Handle() const { return handle_; }

private:
  void* handle_ = nullptr;
};

}  // namespace quivorant
