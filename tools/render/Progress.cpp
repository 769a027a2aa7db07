#include "tools/render/Progress.h"

#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#define QUIVORANT_ISATTY _isatty
#define QUIVORANT_FILENO _fileno
#else
#include <unistd.h>
#define QUIVORANT_ISATTY isatty
#define QUIVORANT_FILENO fileno
#endif

namespace quivorant::render {

Progress::Progress(std::string label, std::size_t total)
    : label_(std::move(label)),
      total_(total),
      enabled_(QUIVORANT_ISATTY(QUIVORANT_FILENO(stderr)) != 0),
      start_(std::chrono::steady_clock::now()),
      lastDraw_(start_) {}

Progress::~Progress() {
  if (drawn_) std::fprintf(stderr, "\r\033[K");
}

void Progress::Update(std::size_t done) {
  if (!enabled_ || total_ == 0) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - start_ < std::chrono::seconds(1)) return;
  if (drawn_ && now - lastDraw_ < std::chrono::milliseconds(100) && done < total_) return;
  lastDraw_ = now;
  drawn_ = true;
  constexpr int kWidth = 30;
  const double fraction = done >= total_ ? 1.0 : static_cast<double>(done) / static_cast<double>(total_);
  const int filled = static_cast<int>(fraction * kWidth);
  char bar[kWidth + 1];
  for (int i = 0; i < kWidth; ++i) bar[i] = i < filled ? '#' : '-';
  bar[kWidth] = '\0';
  std::fprintf(stderr, "\r%s [%s] %3d%%", label_.c_str(), bar, static_cast<int>(fraction * 100.0));
  std::fflush(stderr);
}

}  // namespace quivorant::render
