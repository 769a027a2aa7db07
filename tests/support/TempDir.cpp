#include "tests/support/TempDir.h"

#include <chrono>
#include <random>
#include <system_error>

namespace quivorant::test {

TempDir::TempDir(const std::string& prefix) {
  std::mt19937_64 random(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                         reinterpret_cast<std::uintptr_t>(this) ^ std::random_device{}());
  std::error_code ec;
  const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
  // create_directory is false for a name that exists: try another one.
  do {
    path_ = base / (prefix + "-" + std::to_string(random() % 1000000000u));
  } while (!std::filesystem::create_directories(path_, ec) && !ec);
}

TempDir::~TempDir() {
  std::error_code ignored;  // a file Wine still holds for a moment is left behind
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace quivorant::test
