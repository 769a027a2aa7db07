// The toolchain-independent trigonometry must track the C library to within rounding, stay
// inside [-1, 1], and behave at the points the effect leans on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "effect/StableMath.h"

namespace quivorant {
namespace {

// Distance in units in the last place between two finite doubles of the same sign region.
double UlpDistance(double a, double b) {
  if (a == b) return 0.0;
  const double ulp = std::nextafter(std::fabs(b), INFINITY) - std::fabs(b);
  return std::fabs(a - b) / ulp;
}

// The reference is the C library's extended-precision functions rounded to double: the double
// ones of the Windows runtime are themselves a few units off near their zeros.
double RefSin(double x) { return static_cast<double>(std::sin(static_cast<long double>(x))); }
double RefCos(double x) { return static_cast<double>(std::cos(static_cast<long double>(x))); }
double RefTan(double x) { return static_cast<double>(std::tan(static_cast<long double>(x))); }

TEST(StableMath, TracksTheLibraryOverTheEffectsArguments) {
  // Relative error is measured away from the zeros (where even extended-precision library
  // functions lose relative accuracy); near them the absolute error must stay at rounding level.
  double worstSin = 0, worstCos = 0, worstTan = 0, worstAbs = 0;
  for (int i = -120000; i <= 120000; ++i) {
    const double x = i * 1.0e-4 + 3.0e-9;  // -12..12, off the exact grid points
    const double s = RefSin(x), c = RefCos(x), t = RefTan(x);
    if (std::fabs(s) > 1e-2) worstSin = std::fmax(worstSin, UlpDistance(StableSin(x), s));
    if (std::fabs(c) > 1e-2) worstCos = std::fmax(worstCos, UlpDistance(StableCos(x), c));
    if (std::fabs(t) > 1e-2 && std::fabs(t) < 1e6) worstTan = std::fmax(worstTan, UlpDistance(StableTan(x), t));
    worstAbs = std::fmax(worstAbs, std::fmax(std::fabs(StableSin(x) - s), std::fabs(StableCos(x) - c)));
    ASSERT_LE(std::fabs(StableSin(x)), 1.0) << x;
    ASSERT_LE(std::fabs(StableCos(x)), 1.0) << x;
  }
  EXPECT_LE(worstSin, 1.0);
  EXPECT_LE(worstCos, 1.0);
  EXPECT_LE(worstTan, 6.0);  // a quotient of the two, against a less exact library tangent
  EXPECT_LE(worstAbs, 2.3e-16);
}

TEST(StableMath, SpecialPoints) {
  const double pi = 3.14159265358979323846;
  EXPECT_EQ(StableSin(0.0), 0.0);
  EXPECT_EQ(StableCos(0.0), 1.0);
  EXPECT_EQ(StableSin(pi / 2), 1.0);
  EXPECT_EQ(StableSin(1.5 * pi), -1.0);  // the sine wave's starting point
  EXPECT_NEAR(StableTan(pi / 4), 1.0, 2e-16);
  // Small arguments: sin x ~ x, tan x ~ x.
  EXPECT_EQ(StableSin(1e-10), 1e-10);
  EXPECT_EQ(StableTan(1e-10), 1e-10);
  // Just below a pole the tangent is huge and positive, just above it huge and negative.
  EXPECT_GT(StableTan(pi / 2 - 1e-9), 1e8);
  EXPECT_LT(StableTan(pi / 2 + 1e-9), -1e8);
  EXPECT_TRUE(std::isnan(StableSin(NAN)));
  EXPECT_TRUE(std::isnan(StableTan(INFINITY)));
}

}  // namespace
}  // namespace quivorant
