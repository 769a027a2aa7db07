// The effect's editor: fourteen controls over the background, attached in drawing order (the
// mouse searches them back to front). The platform decides whether that is a window or an
// off-screen editor.
#include "effect/Quivorant.h"

#include <cstdio>
#include <memory>

#include "graphics/PlatformEditor.h"
#include "graphics/controls/GRAPH.h"
#include "graphics/controls/IBitmapControl.h"
#include "graphics/controls/IButtonHold.h"
#include "graphics/controls/IDropDown.h"
#include "graphics/controls/IKnobMulti.h"
#include "graphics/controls/IKnobRotVal.h"
#include "graphics/controls/IMask.h"
#include "graphics/controls/IRadioButtons.h"
#include "graphics/controls/ITextControl.h"
#include "graphics/controls/IURLOpen.h"
#include "resources/ResourceIds.h"

namespace quivorant {
namespace {

constexpr int kEditorWidth = kBackgroundImage.width;
constexpr int kEditorHeight = kBackgroundImage.height;
// The mask's parameter index names no parameter: it only covers the strip.
constexpr int kNoParameterIndex = 10;

BitmapRef LoadImage(IGraphics& editor, const EditorImage& image) {
  return editor.LoadBitmap(image.id, image.fileName, image.frames);
}

}  // namespace

void CLS_QUIVORANT::BuildEditor() {
  std::unique_ptr<IGraphics> owned = MakePlatformEditor(this, kEditorWidth, kEditorHeight);
  IGraphics& editor = *owned;
  // The editor owns its controls from AttachControl on.
  auto attach = [&editor](IControl* control) { editor.AttachControl(control); };

  editor.AttachBackground(kBackgroundImage.id, kBackgroundImage.fileName);

  const TextStyle versionStyle("Verdana", 13, ArgbColor(55, 255, 255, 255), 0, kAlignRight);
  const TextStyle valueStyle("Arial", 14, ArgbColor(200, 255, 255, 255), 0, kAlignLeft);

  char version[16];
  const std::int32_t v = EffectVersion(false);
  std::snprintf(version, sizeof version, "v%d.%02d", static_cast<int>(v >> 16), static_cast<int>((v >> 8) & 0xFF));
  attach(new ITextControl(this, PixelRect(223, 7, 261, 25), versionStyle, version));
  attach(new IURLOpen(this, PixelRect(71, 7, 263, 54)));

  BitmapRef knobBody = LoadImage(editor, kKnobImage);
  const BitmapRef knobPointer = editor.SplitBitmap(&knobBody, 0.5f);
  (void)knobPointer;  // cached under the body's companion key, where the knobs find it
  auto knob = [&](int paramIdx, int centreX, int widthOverride) {
    attach(new IKnobRotVal(this, centreX, 174, paramIdx, knobBody, valueStyle, 2, 300, 4.0, widthOverride));
  };

  attach(new IRadioButtons(this, PixelRect(100, 112, 172, 125), kParamFilterType, LoadImage(editor, kFilterTypeImage)));
  knob(kParamFilterFreq, 52, 60);
  knob(kParamFilterBandwidth, 108, 0);
  knob(kParamFilterMix, 164, 0);
  attach(new IDropDown(this, 271, 113, kParamLfoTarget, LoadImage(editor, kLfoTargetImage),
                       LoadImage(editor, kLfoTargetListImage)));
  attach(new IButtonHold(this, 355, 87, kParamLfoReset, LoadImage(editor, kLfoResetImage)));
  attach(new IKnobMulti(this, PixelRect(201, 158, 261, 210), kParamLfoWave, LoadImage(editor, kWaveImage), valueStyle,
                        231, 174, 6));
  knob(kParamLfoRate, 287, 0);
  knob(kParamLfoDepth, 343, 0);

  positionDisplay_ = new GRAPH(this, PixelRect(0, 211, 395, 217), this);
  positionDisplay_->SetDisplayShown(lfo_.target > kLfoTargetNone);
  attach(positionDisplay_);
  attach(new IMask(this, 0, 211, kNoParameterIndex, LoadImage(editor, kStripMaskImage)));

  editorGraphics_ = owned.get();
  AttachGraphics(owned.release());
  editor.EnableMouseOver(true);
}

}  // namespace quivorant
