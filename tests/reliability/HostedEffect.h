// One instance of the effect as a host holds it, in either format, behind one small interface
// so that the hostile-host and lifecycle tests are written once for both: the VST3 module
// (factory -> component/controller) and the VST2 library (VSTPluginMain -> effOpen ... effClose),
// each loaded by path the way a host loads it.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace quivorant::test {

enum class Format { kVst3, kVst2 };
const char* FormatName(Format format);

class HostedEffect {
public:
  virtual ~HostedEffect() = default;

  // False when the module or the instance could not be had.
  virtual bool Ok() const = 0;
  // Sample rate, the largest block the host announces, and the sample width it will use
  // (wide: double precision). May be called again to change any of them.
  virtual void SetUp(double sampleRate, int maxBlock, bool wide) = 0;
  // The tempo the host reports from the next block on (any value, negative and 0 included).
  virtual void SetTempo(double beatsPerMinute) = 0;
  // Selects preset slot `index` the way the format does it (VST3: the program-change parameter
  // in the next block's queue; VST2: effSetProgram).
  virtual void SelectPreset(int index) = 0;
  // One block of both channels; converted through single precision when not wide. The output
  // is written in double precision whatever the width. `frames` may be 0.
  virtual void Process(double* const in[2], double* const out[2], int frames) = 0;
  // The host's save and restore of the instance state (VST3 getState/setState, VST2 bank chunk).
  virtual std::vector<unsigned char> SaveState() = 0;
  virtual bool RestoreState(const std::vector<unsigned char>& state) = 0;
};

// A new instance of the built deliverable, initialised (VST3) or opened (VST2).
std::unique_ptr<HostedEffect> MakeHostedEffect(Format format);

}  // namespace quivorant::test
