// Where an output goes. A regular file (or a new path) is written to a temporary file beside it
// and renamed into place only when complete, so a failed render never leaves a partial file and
// never damages what was there. A symbolic link is followed to its target. A FIFO, a character
// device or "-" (standard output) is written straight into, never replaced. A folder, or any
// other kind of file, is refused.
#pragma once

#include <functional>
#include <string>

namespace quivorant::render {

// `write` fills the given temporary path; *error names the problem when false is returned.
bool WriteOutputFile(const std::string& path, std::string* error,
                     const std::function<bool(const std::string& tempPath, std::string* error)>& write);

}  // namespace quivorant::render
