// What the tool needs of a loaded plug-in, whichever interface it was loaded through. The VST3
// and VST2 adapters implement it by playing a host through the plug-in's real entry points.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/render/RenderOptions.h"

namespace quivorant {
class SharedLibrary;
}

namespace quivorant::render {

struct HostedParamInfo {
  std::string name;
  std::string unit;
  int stepCount = 0;  // 0: continuous
  double defaultNormalized = 0.0;
  double minPlain = 0.0;
  double maxPlain = 1.0;
  // For list parameters (a display text per step), the text of each value from the minimum on.
  std::vector<std::string> valueTexts;
};

struct TransportInfo {
  double tempoBpm = 120.0;  // 0: the host reports no tempo
  double samplePosition = 0.0;
  bool playing = true;
};

class HostedPlugin {
public:
  virtual ~HostedPlugin() = default;

  virtual int ParamCount() = 0;
  virtual HostedParamInfo ParamInfo(int index) = 0;
  virtual std::string FormatNormalized(int index, double normalized) = 0;
  virtual double PlainToNormalized(int index, double plain) = 0;
  virtual double GetNormalized(int index) = 0;
  // Reaches the audio path before the next processed block.
  virtual void SetNormalized(int index, double normalized) = 0;

  virtual std::vector<std::string> PresetNames() = 0;
  // Reaches the audio path before the next processed block.
  virtual bool SelectPreset(int index) = 0;

  // Prepares processing of stereo blocks of at most maxBlockFrames.
  virtual bool Start(double sampleRateHz, int maxBlockFrames, bool doublePrecision) = 0;
  virtual void Process(const TransportInfo& transport, float* const* in, float* const* out, int frames) = 0;
  virtual void Process(const TransportInfo& transport, double* const* in, double* const* out, int frames) = 0;
  virtual void Stop() = 0;

  // The plug-in's parameter state as its core writes it (a double per parameter, then its text
  // slots), without any header of the interface; changes still waiting for a block are not in
  // it yet. False when the plug-in gives none.
  virtual bool SaveState(std::vector<unsigned char>* state) = 0;
};

// Loads a quivorant plug-in; null with *error naming the problem when the file cannot be loaded
// or is not quivorant.
std::unique_ptr<HostedPlugin> LoadVst3Plugin(const std::string& path, std::string* error);
std::unique_ptr<HostedPlugin> LoadVst2Plugin(const std::string& path, std::string* error);
std::unique_ptr<HostedPlugin> LoadPlugin(PluginFormat format, const std::string& path, std::string* error);

// Opens a plug-in's library for either format. The system's own words are not for users: a
// failure says in one line that this system cannot load the file.
bool OpenPluginLibrary(SharedLibrary& library, const std::string& path, std::string* error);

}  // namespace quivorant::render
