#include "effect/QuivorantIdentity.h"

#include "effect/QuivorantParams.h"
#include "effect/QuivorantPresets.h"

namespace quivorant {
namespace {

constexpr std::int32_t FourCharCode(char a, char b, char c, char d) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
                                   (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
                                   (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
                                   static_cast<std::uint32_t>(static_cast<unsigned char>(d)));
}

EffectIdentity MakeIdentity() {
  EffectIdentity id;
  id.paramCount = kQuivorantParamCount;
  id.channelConfig = "1-1 2-2";
  id.presetCount = kQuivorantPresetCount;
  id.effectName = "quivorant";
  id.productName = "";
  id.makerName = "Tolvane";
  // The project's version (CMakeLists.txt) is the one place a release is numbered.
  id.vendorVersion = QUIVORANT_VERSION_MAJOR << 16 | QUIVORANT_VERSION_MINOR << 8 | QUIVORANT_VERSION_PATCH;
  id.uniqueId = FourCharCode('b', '1', 'g', 'Q');
  id.makerId = FourCharCode('T', 'l', 'v', 'n');
  id.latency = 0;
  id.midiMode = 0;
  id.doesStateChunks = false;
  id.isInstrument = false;
  return id;
}

}  // namespace

const EffectIdentity& QuivorantIdentity() {
  static const EffectIdentity identity = MakeIdentity();
  return identity;
}

}  // namespace quivorant
