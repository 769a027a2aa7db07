// A line of text in a style; not editable in place.
#pragma once

#include <string>

#include "graphics/TextStyle.h"
#include "graphics/controls/IControl.h"

namespace quivorant {

class ITextControl : public IControl {
public:
  ITextControl(IEffectBase* plug, const PixelRect& rect, const TextStyle& style, const char* text = "");
  ~ITextControl() override;

  bool Draw(IGraphics* graphics) override;
  // Marks the control dirty only when the text changes.
  virtual void SetText(const char* text);

  const char* Text() const { return text_.c_str(); }

private:
  TextStyle style_;
  std::string text_;
};

}  // namespace quivorant
