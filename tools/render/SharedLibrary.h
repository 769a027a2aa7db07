// A dynamic library loaded the way a host loads a plug-in: dlopen or LoadLibrary.
#pragma once

#include <string>

namespace quivorant::render {

class SharedLibrary {
public:
  SharedLibrary() = default;
  ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  bool Open(const std::string& path, std::string* error);
  void* Symbol(const char* name) const;
  void* Handle() const { return handle_; }

private:
  void* handle_ = nullptr;
};

}  // namespace quivorant::render
