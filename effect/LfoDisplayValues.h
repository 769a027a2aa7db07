// The four numbers the LFO position display shows. The audio thread writes them, the editor's
// drawing reads them, without a lock: each is a relaxed atomic, so a read is never torn, and a
// stale one only misplaces the marker for one frame.
#pragma once

#include <atomic>

namespace quivorant {

struct LfoDisplayValues {
  std::atomic<float> value{0.0f};    // latest LFO value in target units
  std::atomic<float> minimum{0.0f};  // the target's limits
  std::atomic<float> maximum{0.0f};
  std::atomic<bool> shown{false};    // a target is assigned

  void SetValue(float v) { value.store(v, std::memory_order_relaxed); }
  void SetLimits(float lo, float hi) {
    minimum.store(lo, std::memory_order_relaxed);
    maximum.store(hi, std::memory_order_relaxed);
  }
  void SetShown(bool on) { shown.store(on, std::memory_order_relaxed); }

  float Value() const { return value.load(std::memory_order_relaxed); }
  float Minimum() const { return minimum.load(std::memory_order_relaxed); }
  float Maximum() const { return maximum.load(std::memory_order_relaxed); }
  bool Shown() const { return shown.load(std::memory_order_relaxed); }
};

}  // namespace quivorant
