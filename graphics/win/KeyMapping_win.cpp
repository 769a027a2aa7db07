#include "graphics/win/KeyMapping.h"

#include "graphics/KeyCode.h"

namespace quivorant {

int KeyCodeForVirtualKey(unsigned vk) {
  switch (vk) {
    case 0x20:
      return kKeySpace;
    case 0x26:
      return kKeyUpArrow;
    case 0x28:
      return kKeyDownArrow;
    case 0x25:
      return kKeyLeftArrow;
    case 0x27:
      return kKeyRightArrow;
    default:
      break;
  }
  if (vk >= 0x30 && vk <= 0x39) return int(vk) - 0x2A;
  if (vk >= 0x41 && vk <= 0x5A) return int(vk) - 0x31;
  // Keypad 1..9, the keypad operators and F1..F11 share the letters' numbers.
  if (vk >= 0x61 && vk <= 0x7A) return int(vk) - 0x51;
  return -1;
}

}  // namespace quivorant
