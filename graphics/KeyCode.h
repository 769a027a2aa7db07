// Key numbers handed to controls. The window maps virtual-key codes onto them; number 5 is never
// produced.
#pragma once

namespace quivorant {

enum KeyCode : int {
  kKeySpace = 0,
  kKeyUpArrow = 1,
  kKeyDownArrow = 2,
  kKeyLeftArrow = 3,
  kKeyRightArrow = 4,
  kKeyDigit0 = 6,    // digits 0..9 are 6..15
  kKeyLetterA = 16,  // letters A..Z are 16..41
  kKeyLast = 41,
};

}  // namespace quivorant
