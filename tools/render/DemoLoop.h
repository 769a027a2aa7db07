// The embedded input: a two-bar stereo loop (kick, snare and hat made of noise bursts over a
// sawtooth chord), generated at any sample rate so that renders need no audio file at hand.
#pragma once

#include "tools/render/AudioBuffer.h"

namespace quivorant::render {

// Two bars of 4/4 at tempoBpm; deterministic, peaks just below -3 dBFS. The options keep the tempo
// within 20 to 999 BPM, so the loop lasts at most 24 seconds.
AudioBuffer MakeDemoLoop(double sampleRateHz, double tempoBpm);

}  // namespace quivorant::render
