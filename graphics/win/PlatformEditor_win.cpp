#include "graphics/PlatformEditor.h"

#include "graphics/win/IGraphicsWin.h"

namespace quivorant {

// The window's module (resources, window class) defaults to the module this code is linked into.
std::unique_ptr<IGraphics> MakePlatformEditor(IEffectBase* plug, int width, int height) {
  return std::make_unique<IGraphicsWin>(plug, width, height);
}

}  // namespace quivorant
