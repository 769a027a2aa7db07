// The two event records that carry MIDI between the format wrappers and the core's hooks.
#pragma once

#include <cstdint>

namespace quivorant {

struct MidiMessage {
  std::int32_t offset = 0;  // sample offset within the current block
  std::uint8_t status = 0;
  std::uint8_t data1 = 0;
  std::uint8_t data2 = 0;
};

// The bytes belong to the sender and are valid only for the duration of the call.
struct SysExMessage {
  std::int32_t offset = 0;
  std::int32_t size = 0;
  const std::uint8_t* data = nullptr;
};

}  // namespace quivorant
