// Sine, cosine and tangent computed with plain IEEE double arithmetic only.
//
// The C libraries of our two toolchains (glibc on Linux, the Windows runtime) round sin and tan
// differently in the last bit, which would make the filter's coefficients, and so every sample,
// differ between the Linux and Windows builds. These functions use a fixed sequence of additions
// and multiplications, so they give the same bits on every x86-64 compiler that honours
// -ffp-contract=off. Accuracy is within about one unit in the last place for the arguments the
// effect uses (|x| up to a few thousand); they are not meant for huge arguments.
#pragma once

namespace quivorant {

double StableSin(double x);
double StableCos(double x);
double StableTan(double x);

}  // namespace quivorant
