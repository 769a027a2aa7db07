// One plug-in instance as a host drives it: creation through the factory, the interfaces a
// single-component effect answers, and blocks of audio in either sample width.
#pragma once

#include <vector>

#include "tests/support/Vst3Host.h"
#include "vst3/sdk/interfaces/ivstunits.h"

namespace quivorant::test {

// The 16 stored bytes of the effect's class ID on this platform.
const TUID& EffectClassId();

struct PluginSession {
  // Creates the instance from `factory` and queries the four interfaces; initialises it with
  // `context` unless that is null.
  PluginSession(IPluginFactory* factory, FUnknown* context);
  ~PluginSession();
  PluginSession(const PluginSession&) = delete;
  PluginSession& operator=(const PluginSession&) = delete;

  bool Valid() const { return component && processor && controller && units; }
  // Activates both main buses and sets up processing.
  tresult Prepare(int32 sampleSize, int32 maxBlock, double sampleRate = 44100.0);
  // Releases every interface; answers the count the last release returned.
  uint32 ReleaseAll();

  IComponent* component = nullptr;
  IAudioProcessor* processor = nullptr;
  IEditController* controller = nullptr;
  IUnitInfo* units = nullptr;
};

// A stereo block in one sample width: inputs are copied in, outputs read back.
template <class Sample>
struct StereoBlock {
  explicit StereoBlock(int frames);
  void SetInput(int channel, const std::vector<double>& samples, int offset = 0);
  tresult Process(IAudioProcessor* processor, IParameterChanges* changes = nullptr, ProcessContext* context = nullptr);

  int frames;
  std::vector<std::vector<Sample>> in, out;
  std::vector<Sample*> inPtr, outPtr;
  AudioBusBuffers inBus{}, outBus{};
  ProcessData data{};
};

// Runs `input` (both channels alike) through in blocks of `block` frames; answers channel 0.
std::vector<double> RunMono(IAudioProcessor* processor, int32 sampleSize, const std::vector<double>& input, int block,
                            IParameterChanges* firstChanges = nullptr);

}  // namespace quivorant::test
