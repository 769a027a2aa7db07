#include "effect/StableMath.h"

#include <cmath>

namespace quivorant {
namespace {

// pi/2 split so that n * kPio2Hi is exact for the multiples we reduce by (kPio2Hi has 33
// significant bits); kPio2Lo is the remainder of pi/2 to double precision.
constexpr double kPio2Hi = 1.57079632673412561417e+00;
constexpr double kPio2Lo = 6.07710050650619224932e-11;
constexpr double kTwoOverPi = 6.36619772367581382433e-01;

// Minimax polynomials for sin and cos on [-pi/4, pi/4].
constexpr double kS1 = -1.66666666666666324348e-01;
constexpr double kS2 = 8.33333333332248946124e-03;
constexpr double kS3 = -1.98412698298579493134e-04;
constexpr double kS4 = 2.75573137070700676789e-06;
constexpr double kS5 = -2.50507602534068634195e-08;
constexpr double kS6 = 1.58969099521155010221e-10;

constexpr double kC1 = 4.16666666666666019037e-02;
constexpr double kC2 = -1.38888888888741095749e-03;
constexpr double kC3 = 2.48015872894767294178e-05;
constexpr double kC4 = -2.75573143513906633035e-07;
constexpr double kC5 = 2.08757232129817482790e-09;
constexpr double kC6 = -1.13596475577881948265e-11;

// x + tail is the reduced argument, |x| <= pi/4.
double KernelSin(double x, double tail) {
  const double z = x * x;
  const double v = z * x;
  const double r = kS2 + z * (kS3 + z * (kS4 + z * (kS5 + z * kS6)));
  return x - ((z * (0.5 * tail - v * r) - tail) - v * kS1);
}

double KernelCos(double x, double tail) {
  const double z = x * x;
  const double r = z * (kC1 + z * (kC2 + z * (kC3 + z * (kC4 + z * (kC5 + z * kC6)))));
  const double hz = 0.5 * z;
  const double w = 1.0 - hz;
  return w + (((1.0 - w) - hz) + (z * r - x * tail));
}

struct Reduced {
  double head;
  double tail;
  int quadrant;  // 0..3: the multiple of pi/2 that was taken away, modulo 4
};

Reduced Reduce(double x) {
  const double fn = std::floor(x * kTwoOverPi + 0.5);
  const double r = x - fn * kPio2Hi;
  const double w = fn * kPio2Lo;
  Reduced out;
  out.head = r - w;
  out.tail = (r - out.head) - w;
  // fn is integral and small for the arguments we take; the cast of a huge one is avoided.
  const double q = fn - 4.0 * std::floor(fn * 0.25);
  out.quadrant = static_cast<int>(q);
  return out;
}

bool Usable(double x) { return std::isfinite(x) && std::fabs(x) < 1.0e9; }

}  // namespace

double StableSin(double x) {
  if (!Usable(x)) return std::isfinite(x) ? std::sin(x) : x - x;
  const Reduced r = Reduce(x);
  switch (r.quadrant) {
    case 0:
      return KernelSin(r.head, r.tail);
    case 1:
      return KernelCos(r.head, r.tail);
    case 2:
      return -KernelSin(r.head, r.tail);
    default:
      return -KernelCos(r.head, r.tail);
  }
}

double StableCos(double x) {
  if (!Usable(x)) return std::isfinite(x) ? std::cos(x) : x - x;
  const Reduced r = Reduce(x);
  switch (r.quadrant) {
    case 0:
      return KernelCos(r.head, r.tail);
    case 1:
      return -KernelSin(r.head, r.tail);
    case 2:
      return -KernelCos(r.head, r.tail);
    default:
      return KernelSin(r.head, r.tail);
  }
}

double StableTan(double x) {
  if (!Usable(x)) return std::isfinite(x) ? std::tan(x) : x - x;
  const Reduced r = Reduce(x);
  const double s = KernelSin(r.head, r.tail);
  const double c = KernelCos(r.head, r.tail);
  return (r.quadrant & 1) ? -c / s : s / c;
}

}  // namespace quivorant
