// A VST2 instance as a host holds it: the record, the dispatcher called the way hosts call it,
// and blocks of audio through either callback. Closed (effClose) when it goes away.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/Library.h"
#include "tests/support/Vst2Host.h"
#include "vst2/abi/VstOpcodes.h"
#include "vst2/abi/VstRecords.h"

namespace quivorant::test {

typedef AEffect*(VSTCALLBACK* VstEntryProc)(audioMasterCallback host);

// One call of the record's dispatcher, as a host makes it.
inline VstIntPtr Dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                          void* ptr = nullptr, float opt = 0.0f) {
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

class Vst2Plugin {
public:
  explicit Vst2Plugin(AEffect* record) : effect(record) { EXPECT_NE(effect, nullptr); }
  ~Vst2Plugin();
  Vst2Plugin(const Vst2Plugin&) = delete;
  Vst2Plugin& operator=(const Vst2Plugin&) = delete;

  bool ok() const { return effect != nullptr; }
  VstIntPtr Call(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
  std::string Text(VstInt32 opcode, VstInt32 index = 0);
  // effOpen, a sample rate, a block size and mains on: what every host does before audio.
  void Start(float sampleRate = 48000.0f, VstIntPtr blockSize = 512);
  // Sets parameter `index` from a typed text (effString2Parameter).
  void SetText(VstInt32 index, const char* text);
  // The instance goes before the test ends (effClose now, nothing later).
  void Close();

  // Runs a mono signal through both channels in one call of the chosen callback.
  std::vector<double> RunDouble(const std::vector<double>& input);
  std::vector<float> RunReplacing(const std::vector<float>& input, int blockFrames);

  AEffect* effect = nullptr;
};

#if defined(QUIVORANT_VST2_LIBRARY)
// Whether the built library offers an editor window: on Windows, and on Linux with Xlib.
#if defined(_WIN32) || defined(QUIVORANT_X11_EDITOR)
inline constexpr bool kLibraryHasEditor = true;
#else
inline constexpr bool kLibraryHasEditor = false;
#endif

// The built library, loaded once per test program; tests fail (not crash) when it cannot be.
inline Library& Vst2Library() {
  static Library library;
  static const bool loaded = library.Load(QUIVORANT_VST2_LIBRARY);
  EXPECT_TRUE(loaded) << QUIVORANT_VST2_LIBRARY << ": " << library.Error();
  return library;
}

inline AEffect* NewLibraryInstance(audioMasterCallback host, const char* entry) {
  auto main = reinterpret_cast<VstEntryProc>(Vst2Library().Symbol(entry));
  EXPECT_NE(main, nullptr) << entry;
  return main != nullptr ? main(host) : nullptr;
}

// One instance of the built library from VSTPluginMain (or another exported entry).
class LoadedPlugin : public Vst2Plugin {
public:
  explicit LoadedPlugin(audioMasterCallback host = RecordingHost::Callback, const char* entry = "VSTPluginMain")
      : Vst2Plugin(NewLibraryInstance(host, entry)) {}
};
#endif

}  // namespace quivorant::test
