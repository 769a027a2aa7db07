// Which key number (KeyCode) a virtual-key code of a key-down message stands for.
#pragma once

namespace quivorant {

// -1 for keys the editor ignores (Tab, Escape, modifiers, ...).
int KeyCodeForVirtualKey(unsigned virtualKey);

}  // namespace quivorant
