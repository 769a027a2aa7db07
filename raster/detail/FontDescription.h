// What a font handle holds on systems without GDI.
#pragma once

namespace quivorant {
namespace detail {

struct FontDescription {
  char faceName[64];
  int height;  // cell height when positive, character height when negative (as with GDI)
  int weight;
  bool italic;
  int quality;
};

}  // namespace detail
}  // namespace quivorant
