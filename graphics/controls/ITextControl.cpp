#include "graphics/controls/ITextControl.h"

#include "graphics/IGraphics.h"

namespace quivorant {

ITextControl::ITextControl(IEffectBase* plug, const PixelRect& rect, const TextStyle& style, const char* text)
    : IControl(plug, rect), style_(style), text_(text ? text : "") {}

ITextControl::~ITextControl() = default;

bool ITextControl::Draw(IGraphics* g) {
  if (text_.empty()) return true;
  return g->DrawText(&style_, text_.c_str(), rect_);
}

void ITextControl::SetText(const char* text) {
  if (!text) text = "";
  if (text_ == text) return;
  SetDirty(false);
  text_ = text;
}

}  // namespace quivorant
