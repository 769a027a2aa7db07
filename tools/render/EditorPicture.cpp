#include "tools/render/RenderActions.h"

namespace quivorant::render {

bool DrawEditorPicture(const RenderOptions&, std::string* error) {
  *error = "--editor-png is not available yet: this build has no off-screen editor";
  return false;
}

}  // namespace quivorant::render
