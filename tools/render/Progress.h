// A progress bar on standard error. It appears only when standard error is a terminal and only
// once a render has run for more than a second, so short renders and logs stay clean.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace quivorant::render {

class Progress {
public:
  Progress(std::string label, std::size_t total);
  ~Progress();
  void Update(std::size_t done);

private:
  std::string label_;
  std::size_t total_;
  bool enabled_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDraw_;
};

}  // namespace quivorant::render
