// The LFO position display: a small marker on a horizontal track (x = 208 at the target's
// minimum to x = 358 at its maximum) showing where the LFO's latest value lies. The effect writes
// the value from the audio thread and the range and visibility from its parameter handler; the
// editor reads them while drawing. They are relaxed atomics: a torn update can only misplace the
// marker for one frame, and nobody waits on anybody. Always dirty, so the marker follows the LFO.
#pragma once

#include <atomic>

#include "graphics/controls/IControl.h"

namespace quivorant {

class GRAPH : public IControl {
public:
  static constexpr int kTrackLeft = 208;
  static constexpr int kTrackWidth = 150;
  static constexpr int kMarkerTop = 213;
  static constexpr int kMarkerBottom = 215;
  static constexpr int kMarkerWidth = 6;

  // `effect` is the effect object that owns the editor.
  GRAPH(IEffectBase* plug, const PixelRect& rect, IEffectBase* effect = nullptr);

  bool Draw(IGraphics* graphics) override;
  bool IsDirty() const override { return true; }

  // Audio thread: the latest LFO value in target units.
  void SetDisplayValue(float value) { value_.store(value, std::memory_order_relaxed); }
  // Parameter handler: the target's limits and whether a target is chosen.
  void SetDisplayRange(float minimum, float maximum) {
    minimum_.store(minimum, std::memory_order_relaxed);
    maximum_.store(maximum, std::memory_order_relaxed);
  }
  void SetDisplayShown(bool shown) { shown_.store(shown, std::memory_order_relaxed); }

  float DisplayValue() const { return value_.load(std::memory_order_relaxed); }
  float DisplayMinimum() const { return minimum_.load(std::memory_order_relaxed); }
  float DisplayMaximum() const { return maximum_.load(std::memory_order_relaxed); }
  bool DisplayShown() const { return shown_.load(std::memory_order_relaxed); }
  IEffectBase* Effect() const { return effect_; }

private:
  std::atomic<float> value_{0.0f};
  std::atomic<float> minimum_{0.0f};
  std::atomic<float> maximum_{0.0f};
  std::atomic<bool> shown_{false};
  IEffectBase* effect_;
};

}  // namespace quivorant
