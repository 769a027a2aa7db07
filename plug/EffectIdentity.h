// The fixed identity an effect hands the core when it is constructed: everything the core needs
// before the effect has defined a single parameter. Factories read it before any instance
// exists, so it is a plain record with no behaviour.
#pragma once

#include <cstdint>

namespace quivorant {

// Host API codes the format wrappers put into EffectIdentity::hostApi.
enum HostApiCode : std::int32_t {
  kHostApiVst2 = 0,
  kHostApiVst3 = 1,
};

struct EffectIdentity {
  int paramCount = 0;
  // Blank-separated "inputs-outputs" pairs, for example "1-1 2-2".
  const char* channelConfig = "";
  int presetCount = 0;
  const char* effectName = "";  // at most 127 characters are kept
  const char* productName = "";
  const char* makerName = "";
  // major << 16 | minor << 8 | patch: 0x00011E00 is 1.30.0.
  std::int32_t vendorVersion = 0;
  // Four-character codes, first character in the most significant byte.
  std::int32_t uniqueId = 0;
  std::int32_t makerId = 0;
  int latency = 0;
  // 0 none, 1 receive and send, 2 receive only, 3 send only.
  int midiMode = 0;
  bool doesStateChunks = false;
  bool isInstrument = false;
  std::int32_t hostApi = kHostApiVst2;
};

// The packed version as VST2 hosts read it: major * 10000 + minor * 100 + patch (13000 for 1.30.0).
constexpr std::int32_t DecimalVersion(std::int32_t packed) {
  return ((packed >> 16) & 0xFFFF) * 10000 + ((packed >> 8) & 0xFF) * 100 + (packed & 0xFF);
}

}  // namespace quivorant
