// The PNG files linked into the library on systems without resource sections; the definition is
// generated at build time from quivorant.rc (EmbedImages.cmake).
#pragma once

#include <cstddef>

#include "platform/ModuleResources.h"

namespace quivorant {

extern const EmbeddedResource kEmbeddedImages[];
extern const std::size_t kEmbeddedImageCount;

}  // namespace quivorant
