#include "effect/LfoSwing.h"

namespace quivorant {
namespace {

// Lower bound centred on the base, upper start at the top of the span; the lower of the two wins
// so that the sweep ends inside the span.
double Offset(double base, double range, double lowest, double highest) {
  double lower = base - range * 0.5;
  if (lower < lowest) lower = lowest;
  const double upperStart = highest - range;
  return upperStart < lower ? upperStart : lower;
}

}  // namespace

bool ComputeLfoSwing(std::int32_t target, float depth, const LfoBaseValues& base, LfoSwing* out) {
  switch (target) {
    case kLfoTargetFrequency:
      out->range = static_cast<double>(depth * 19980.0f);
      out->offset = Offset(static_cast<double>(base.frequencyHz), out->range, 20.0, 20000.0);
      out->displayMinimum = 20.0f;
      out->displayMaximum = 20000.0f;
      return true;
    case kLfoTargetBandwidth:
      out->range = static_cast<double>(depth * 0.99f);
      out->offset = Offset(static_cast<double>(base.bandwidth), out->range, static_cast<double>(0.01f), 1.0);
      out->displayMinimum = 0.01f;
      out->displayMaximum = 1.0f;
      return true;
    case kLfoTargetMix:
      out->range = static_cast<double>(depth);
      out->offset = Offset(static_cast<double>(base.mix), out->range, 0.0, 1.0);
      out->displayMinimum = 0.0f;
      out->displayMaximum = 1.0f;
      return true;
    default:
      return false;
  }
}

}  // namespace quivorant
