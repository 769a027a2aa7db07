#include "graphics/controls/GRAPH.h"

#include "graphics/IGraphics.h"
#include "plug/Rounding.h"

namespace quivorant {

GRAPH::GRAPH(IEffectBase* plug, const PixelRect& rect, IEffectBase* effect) : IControl(plug, rect), effect_(effect) {}

bool GRAPH::Draw(IGraphics* g) {
  if (!DisplayShown()) return true;
  const float minimum = DisplayMinimum();
  const float maximum = DisplayMaximum();
  if (maximum == minimum) {
    g->FillRect(ArgbColor(255, 255, 0, 0), PixelRect(kTrackLeft, kMarkerTop, kTrackLeft + kMarkerWidth, kMarkerBottom));
    return true;
  }
  const float p = (DisplayValue() - minimum) * float(kTrackWidth) / (maximum - minimum) + float(kTrackLeft);
  const int x = RoundHalfAway(p);
  g->FillRect(ArgbColor(150, 255, 255, 255),
              PixelRect(x, kMarkerTop, PixelRect::ClampToInt(int64_t(x) + kMarkerWidth), kMarkerBottom));
  return true;
}

}  // namespace quivorant
