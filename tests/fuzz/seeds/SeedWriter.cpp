#include "tests/fuzz/seeds/SeedWriter.h"

#include <cctype>
#include <filesystem>
#include <fstream>

namespace quivorant::test {

bool SeedWriter::Write(const std::string& target, const std::string& name, const void* bytes, std::size_t size) {
  const std::filesystem::path dir = std::filesystem::path(root_) / target;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
  const bool ok = static_cast<bool>(out);
  ok ? ++written_ : failed_ = true;
  return ok;
}

std::string SeedName(const char* text) {
  std::string name;
  for (const char* c = text; *c != '\0'; ++c) {
    const unsigned char u = static_cast<unsigned char>(*c);
    if (std::isalnum(u))
      name += static_cast<char>(std::tolower(u));
    else if (!name.empty() && name.back() != '-')
      name += '-';
  }
  while (!name.empty() && name.back() == '-') name.pop_back();
  return name.empty() ? "text" : name;
}

}  // namespace quivorant::test
