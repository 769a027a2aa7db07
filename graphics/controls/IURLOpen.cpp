#include "graphics/controls/IURLOpen.h"

#include <cstdio>

#include "graphics/IGraphics.h"
#include "plug/IEffectBase.h"
#include "plug/MakerInfo.h"

namespace quivorant {

IURLOpen::IURLOpen(IEffectBase* plug, const PixelRect& rect) : IControl(plug, rect) {}

void IURLOpen::BuildAddress(char* out, int capacity) const {
  if (!out || capacity <= 0) return;
  std::snprintf(out, size_t(capacity), "%s/%s", kMakerWebAddress, plug_ ? plug_->EffectName() : "");
}

void IURLOpen::OnMouseDown(int, int, const MouseModifiers&) {
  if (!graphics_) return;
  char url[256];
  BuildAddress(url, int(sizeof url));
  graphics_->OpenUrl(url, nullptr, nullptr, kErrorText);
}

bool IURLOpen::Draw(IGraphics*) { return true; }

}  // namespace quivorant
