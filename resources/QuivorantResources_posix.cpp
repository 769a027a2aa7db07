// The editor's images as a table linked into the module, registered when the module loads so that
// every lookup finds them (the registry is safe to fill from a static initialiser).
#include "platform/ModuleResources.h"
#include "resources/EmbeddedImageTable.h"

namespace quivorant {
namespace {

const bool kImagesRegistered = (RegisterEmbeddedResources(kEmbeddedImages, kEmbeddedImageCount), true);

}  // namespace
}  // namespace quivorant
