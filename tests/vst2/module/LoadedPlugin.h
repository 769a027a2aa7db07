// The built VST2 library, loaded once per test program the way a host loads it, and instances
// of it created through its exported entry with a recording host.
#pragma once

#include <string>
#include <vector>

#include "tests/vst2/host/PluginModule.h"
#include "tests/vst2/host/RecordingHost.h"
#include "vst2/abi/VstOpcodes.h"
#include "vst2/abi/VstRecords.h"

namespace quivorant_test {

// Whether the library offers an editor window: on Windows, and on Linux when built with Xlib.
#if defined(_WIN32) || defined(QUIVORANT_X11_EDITOR)
inline constexpr bool kLibraryHasEditor = true;
#else
inline constexpr bool kLibraryHasEditor = false;
#endif

// The loaded library; tests fail (not crash) when it cannot be loaded.
PluginModule& Vst2Library();

// One instance from VSTPluginMain (or another exported entry), closed when it goes away.
class LoadedPlugin {
public:
  explicit LoadedPlugin(audioMasterCallback host = RecordingHost::Callback, const char* entry = "VSTPluginMain");
  ~LoadedPlugin();
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;

  bool ok() const { return effect != nullptr; }
  VstIntPtr Call(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
  std::string Text(VstInt32 opcode, VstInt32 index = 0);
  // effOpen, a sample rate, a block size and mains on: what every host does before audio.
  void Start(float sampleRate = 48000.0f, VstIntPtr blockSize = 512);
  // Sets parameter `index` from a typed text (effString2Parameter).
  void SetText(VstInt32 index, const char* text);

  // Runs a mono signal through both channels in one call of the chosen callback.
  std::vector<double> RunDouble(const std::vector<double>& input);
  std::vector<float> RunReplacing(const std::vector<float>& input, int blockFrames);

  AEffect* effect = nullptr;
};

}  // namespace quivorant_test
