#include "tests/reliability/EditorPlay.h"

#include "graphics/IGraphicsOffscreen.h"
#include "graphics/MouseModifiers.h"

namespace quivorant::test {

bool PlayEditor(quivorant::IEditorConnection* editor, std::mt19937& rng) {
  auto* graphics = dynamic_cast<quivorant::IGraphicsOffscreen*>(editor);
  if (graphics == nullptr) return false;
  std::uniform_int_distribution<int> xs(0, graphics->Width() - 1);
  std::uniform_int_distribution<int> ys(0, graphics->Height() - 1);
  quivorant::MouseModifiers mods;
  mods.left = true;
  const int x = xs(rng);
  const int y = ys(rng);
  switch (rng() % 5) {
    case 0: {
      mods.shift = rng() % 4 == 0;
      graphics->OnMouseDown(x, y, mods);
      for (int i = 1; i <= 4; ++i) graphics->OnMouseDrag(x + i, y - 3 * i, mods);
      graphics->OnMouseUp(x + 4, y - 12, mods);
      break;
    }
    case 1:
      graphics->OnMouseWheel(x, y, quivorant::MouseModifiers(), rng() % 2 == 0 ? 1 : -2);
      break;
    case 2:
      graphics->OnMouseDoubleClick(x, y, mods);
      graphics->OnMouseUp(x, y, mods);
      break;
    case 3:
      graphics->OnMouseOver(x, y, quivorant::MouseModifiers());
      if (rng() % 2 == 0) graphics->OnMouseOut();
      break;
    default:
      break;
  }
  graphics->Tick();
  return true;
}

}  // namespace quivorant::test
