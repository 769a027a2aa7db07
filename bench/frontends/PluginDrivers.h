// The least a host does to run a built plug-in's 32-bit stereo path, so that the front-end
// benchmark times the plug-in and next to nothing of the host: load, set up once for one block
// size at 44.1 kHz and 120 BPM, then the process call on the same buffers block after block.
#pragma once

#include "platform/SharedLibrary.h"
#include "vst2/abi/VstEffect.h"
#include "vst3/sdk/interfaces/ipluginbase.h"
#include "vst3/sdk/interfaces/ivstaudioprocessor.h"
#include "vst3/sdk/interfaces/ivstcomponent.h"
#include "vst3/sdk/interfaces/ivstprocesscontext.h"

namespace quivorant {

inline constexpr double kDriverRate = 44100.0;
inline constexpr double kDriverTempo = 120.0;

// VST3: the module's first class as component and processor, one stereo bus each way.
class Vst3Driver {
public:
  Vst3Driver(const char* modulePath, int frames, float** in, float** out);
  ~Vst3Driver();
  Vst3Driver(const Vst3Driver&) = delete;
  Vst3Driver& operator=(const Vst3Driver&) = delete;

  bool Ready() const { return processing_; }
  void Process() { processor_->process(data_); }

private:
  SharedLibrary library_;
  bool entered_ = false;
  Steinberg::IPluginFactory* factory_ = nullptr;
  Steinberg::Vst::IComponent* component_ = nullptr;
  Steinberg::Vst::IAudioProcessor* processor_ = nullptr;
  bool processing_ = false;
  Steinberg::Vst::AudioBusBuffers inBus_{}, outBus_{};
  Steinberg::Vst::ProcessContext context_{};
  Steinberg::Vst::ProcessData data_{};
};

// VST2: processReplacing after open, rate, block size and switching on; the host answers the
// plug-in's time query with its tempo.
class Vst2Driver {
public:
  Vst2Driver(const char* libraryPath, int frames, float** in, float** out);
  ~Vst2Driver();
  Vst2Driver(const Vst2Driver&) = delete;
  Vst2Driver& operator=(const Vst2Driver&) = delete;

  bool Ready() const { return effect_ != nullptr; }
  void Process() { effect_->processReplacing(effect_, in_, out_, frames_); }

private:
  void Dispatch(VstInt32 opcode, VstIntPtr value = 0, float opt = 0.0f);

  SharedLibrary library_;
  AEffect* effect_ = nullptr;
  float** in_;
  float** out_;
  int frames_;
};

}  // namespace quivorant
