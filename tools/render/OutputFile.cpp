#include "tools/render/OutputFile.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "tools/render/RenderOptions.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace quivorant::render {

namespace fs = std::filesystem;

namespace {

// The file a chain of symbolic links ends at (which need not exist yet).
fs::path FollowLinks(fs::path path) {
  std::error_code ec;
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
    const fs::path link = fs::read_symlink(path, ec);
    if (ec) break;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  return path;
}

// A name in the system's temporary folder for outputs that cannot have a file beside them.
fs::path SystemTempPath() {
  static unsigned counter = 0;
  std::error_code ec;
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  return fs::temp_directory_path(ec) /
         ("quivorant-render-" + std::to_string(stamp) + "-" + std::to_string(++counter) + ".partial");
}

bool CopyInto(const fs::path& from, std::FILE* to) {
  std::ifstream in(from, std::ios::binary);
  char buffer[65536];
  while (in) {
    in.read(buffer, sizeof buffer);
    const size_t got = static_cast<size_t>(in.gcount());
    if (got > 0 && std::fwrite(buffer, 1, got, to) != got) return false;
  }
  return in.eof() && std::fflush(to) == 0;
}

// Produces the output in the temporary folder, then streams it into `destination`, which is
// never replaced (standard output when null).
bool StreamThrough(const std::string& path, const fs::path* destination, std::string* error,
                   const std::function<bool(const std::string&, std::string*)>& write) {
  const fs::path temp = SystemTempPath();
  bool ok = write(temp.string(), error);
  if (ok) {
    std::FILE* out = stdout;
#if defined(_WIN32)
    if (!destination) _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (destination) out = std::fopen(destination->string().c_str(), "wb");
    ok = out && CopyInto(temp, out);
    if (destination && out) ok = std::fclose(out) == 0 && ok;
    if (!ok) *error = "writing \"" + path + "\" failed";
  }
  std::error_code ignored;
  fs::remove(temp, ignored);
  return ok;
}

}  // namespace

bool WriteOutputFile(const std::string& path, std::string* error,
                     const std::function<bool(const std::string& tempPath, std::string* error)>& write) {
  if (path == kStandardOutputPath) return StreamThrough(path, nullptr, error, write);
  // The kind of file at the end of any links (/dev/stdout is a link to a descriptor).
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (fs::is_directory(status)) {
    *error = "\"" + path + "\" is a folder; give a file name";
    return false;
  }
  const fs::path given(path);
  if (fs::is_fifo(status) || fs::is_character_file(status)) return StreamThrough(path, &given, error, write);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    *error = "\"" + path + "\" is neither a regular file, a FIFO nor a character device";
    return false;
  }
  // A regular file is replaced where it lies, so a link to it stays a link.
  const fs::path target = FollowLinks(path);
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  if (!fs::is_directory(folder, ec)) {
    *error = "cannot write \"" + path + "\": there is no folder \"" + folder.string() + "\"";
    return false;
  }
  const fs::path temp = folder / (".~" + target.filename().string() + ".partial");
  if (!write(temp.string(), error)) {
    fs::remove(temp, ec);
    return false;
  }
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    *error = "cannot create \"" + path + "\"";
    return false;
  }
  return true;
}

}  // namespace quivorant::render
