// A fresh folder of the test's own under the system's temporary folder, removed with everything
// in it when it goes away. Its name is new for every instance, so that test programs running at
// the same time (several lanes or checkouts on one machine) never share one.
#pragma once

#include <filesystem>
#include <string>

namespace quivorant::test {

class TempDir {
public:
  explicit TempDir(const std::string& prefix);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string Path(const std::string& name) const { return (path_ / name).string(); }

private:
  std::filesystem::path path_;
};

}  // namespace quivorant::test
