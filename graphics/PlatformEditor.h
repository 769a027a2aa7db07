// The one place that decides which editor this platform gets: a window editor where the
// platform has one, the off-screen editor elsewhere. Each platform's body lives beside its
// editor (`PlatformEditor_posix.cpp`, `win/PlatformEditor_win.cpp`), so the effect that builds
// its editor never names a window system.
#pragma once

#include <memory>

#include "graphics/IGraphics.h"

namespace quivorant {

// An empty editor of width x height pixels for `plug`, not yet attached; the caller adds the
// controls and hands it to the core with AttachGraphics.
std::unique_ptr<IGraphics> MakePlatformEditor(IEffectBase* plug, int width, int height);

}  // namespace quivorant
