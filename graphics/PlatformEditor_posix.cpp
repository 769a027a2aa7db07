#include "graphics/PlatformEditor.h"

#include "graphics/IGraphicsOffscreen.h"

namespace quivorant {

std::unique_ptr<IGraphics> MakePlatformEditor(IEffectBase* plug, int width, int height) {
  return std::make_unique<IGraphicsOffscreen>(plug, width, height);
}

}  // namespace quivorant
