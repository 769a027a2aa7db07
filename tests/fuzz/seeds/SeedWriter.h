// Writing seed inputs: one file per input under <corpus root>/<target>/.
#pragma once

#include <string>
#include <vector>

namespace quivorant::test {

class SeedWriter {
public:
  explicit SeedWriter(std::string corpusRoot) : root_(std::move(corpusRoot)) {}
  // False when the file cannot be written.
  bool Write(const std::string& target, const std::string& name, const void* bytes, std::size_t size);
  bool Write(const std::string& target, const std::string& name, const std::string& text) {
    return Write(target, name, text.data(), text.size());
  }
  int Written() const { return written_; }
  bool Failed() const { return failed_; }

private:
  std::string root_;
  int written_ = 0;
  bool failed_ = false;
};

// "Filter Freq" -> "filter-freq", for file names.
std::string SeedName(const char* text);

}  // namespace quivorant::test
