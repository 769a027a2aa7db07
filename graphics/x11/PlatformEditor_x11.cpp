#include "graphics/PlatformEditor.h"

#include "graphics/x11/IGraphicsX11.h"

namespace quivorant {

// The window opens only when a host asks; until then (and in tools that draw pictures) this is
// the off-screen editor.
std::unique_ptr<IGraphics> MakePlatformEditor(IEffectBase* plug, int width, int height) {
  return std::make_unique<IGraphicsX11>(plug, width, height);
}

}  // namespace quivorant
