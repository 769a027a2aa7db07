// Button and key state that travels with every mouse event from the window to the controls.
#pragma once

namespace quivorant {

struct MouseModifiers {
  bool left = false;
  bool right = false;
  bool shift = false;
  bool control = false;
  bool alt = false;
};

}  // namespace quivorant
