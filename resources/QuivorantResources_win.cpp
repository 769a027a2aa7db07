#include "resources/QuivorantResources.h"

namespace quivorant {

// quivorant.rc is linked into the DLL, where FindResourceA finds the images by number.
void RegisterQuivorantResources() {}

}  // namespace quivorant
