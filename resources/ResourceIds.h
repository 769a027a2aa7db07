// The editor's images: PNG resources of this module, found by number under the type name "PNG".
// Windows links them from quivorant.rc; other systems get the same files as a generated table
// that registers itself when the module loads. The build checks that the script and this header agree and that
// every PNG has the size given here; the art is regenerated with scripts/make-art.sh.
#pragma once

namespace quivorant {

inline constexpr const char* kImageResourceType = "PNG";

struct EditorImage {
  int id;                // resource number, also the bitmap cache key
  const char* fileName;  // names the image in the resource script; lookup is by number only
  int width;             // of the whole strip, in pixels
  int height;
  int frames;  // equal frames in the strip (1 = a plain image)
};

inline constexpr EditorImage kBackgroundImage{100, "img/bg.png", 395, 248, 1};
// Left 40 x 40 half: the pointer layer, pointing straight up (value 0.5); right half: the static
// body. The editor splits it at 0.5.
inline constexpr EditorImage kKnobImage{101, "img/knob.png", 80, 40, 1};
// "Sine", "Triangle", "Saw", "Saw Rev", "Sine Half", "Sine Half 2", 32 x 32 each, side by side.
inline constexpr EditorImage kWaveImage{102, "img/wave.png", 192, 32, 6};
// Lowpass, highpass, bandpass in their selected look, 24 x 13 each, side by side; the unselected
// look is part of the background.
inline constexpr EditorImage kFilterTypeImage{103, "img/flt_tp.png", 72, 13, 3};
// The target box's text for each of the four targets, 12 rows each, stacked; the box itself is
// part of the background.
inline constexpr EditorImage kLfoTargetImage{104, "img/lfo1_tg.png", 72, 48, 4};
// The open list with all four targets at once, opaque.
inline constexpr EditorImage kLfoTargetListImage{105, "img/lfo1_tg_.png", 72, 48, 4};
// The reset button while it is held; the idle button is part of the background.
inline constexpr EditorImage kLfoResetImage{106, "img/reset.png", 15, 15, 1};
// Laid over the LFO position strip (editor rows 211 to 216): the background's own pixels with the
// slot left clear, so the marker shows only inside the slot.
inline constexpr EditorImage kStripMaskImage{107, "img/mask.png", 395, 6, 1};

// The same eight images drawn at twice the size from the same sources, for editors shown at more
// than 100 %. Image N's large version is resource N + kHiResImageOffset.
inline constexpr int kHiResImageOffset = 100;
constexpr int HiResImageKey(int key) { return key + kHiResImageOffset; }

inline constexpr EditorImage kBackgroundImageLarge{200, "img/2x/bg.png", 790, 496, 1};
inline constexpr EditorImage kKnobImageLarge{201, "img/2x/knob.png", 160, 80, 1};
inline constexpr EditorImage kWaveImageLarge{202, "img/2x/wave.png", 384, 64, 6};
inline constexpr EditorImage kFilterTypeImageLarge{203, "img/2x/flt_tp.png", 144, 26, 3};
inline constexpr EditorImage kLfoTargetImageLarge{204, "img/2x/lfo1_tg.png", 144, 96, 4};
inline constexpr EditorImage kLfoTargetListImageLarge{205, "img/2x/lfo1_tg_.png", 144, 96, 4};
inline constexpr EditorImage kLfoResetImageLarge{206, "img/2x/reset.png", 30, 30, 1};
inline constexpr EditorImage kStripMaskImageLarge{207, "img/2x/mask.png", 790, 12, 1};

inline constexpr EditorImage kEditorImages[] = {
    kBackgroundImage, kKnobImage,          kWaveImage,     kFilterTypeImage,
    kLfoTargetImage,  kLfoTargetListImage, kLfoResetImage, kStripMaskImage,
};

}  // namespace quivorant
