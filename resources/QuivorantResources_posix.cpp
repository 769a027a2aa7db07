#include "resources/QuivorantResources.h"

#include "platform/ModuleResources.h"
#include "resources/EmbeddedImageTable.h"

namespace quivorant {

void RegisterQuivorantResources() { RegisterEmbeddedResources(kEmbeddedImages, kEmbeddedImageCount); }

}  // namespace quivorant
