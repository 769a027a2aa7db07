// The host's transport as the VST3 wrapper hands it to the effect (tempo, positions, cycle,
// time signature, playing and cycling flags).
#pragma once

namespace quivorant {

struct HostTimeInfo {
  double tempo = 0.0;       // beats per minute
  double samplePos = 0.0;   // project time in samples
  double ppqPos = 0.0;      // position in quarter notes
  double lastBarPos = 0.0;  // last bar start in quarter notes
  double cycleStart = 0.0;  // quarter notes
  double cycleEnd = 0.0;
  int numerator = 0;
  int denominator = 0;
  bool transportIsRunning = false;
  bool transportLoop = false;
};

}  // namespace quivorant
