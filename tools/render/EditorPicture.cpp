// The editor picture. Audio goes through the loaded plug-in only; the picture needs the editor's
// drawing, which no plug-in interface hands to a host without a window, so the tool links the
// effect over the VST2 front end for this one job. The loaded plug-in's own state is carried
// over into that instance, so the picture shows exactly what the loaded plug-in ended up with
// (including how it parsed every --set), not a second reading of the options.
#include <cstdint>
#include <vector>

#include "graphics/IGraphics.h"
#include "raster/RasterSysBitmap.h"
#include "tools/render/PngFile.h"
#include "tools/render/RenderActions.h"
#include "tools/render/Renderer.h"
#include "vst2/IEffectVST.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant::render {

namespace {

// An instance of the linked effect without a host, closed when it goes away.
class PictureInstance {
public:
  PictureInstance() : instance_(CreateEffectInstance(nullptr)) {
    if (instance_) instance_->Dispatch(effOpen, 0, 0, nullptr, 0.0f);
  }
  ~PictureInstance() {
    if (instance_) IEffectVST::Close(instance_);
  }
  PictureInstance(const PictureInstance&) = delete;
  PictureInstance& operator=(const PictureInstance&) = delete;

  IEffectVST* operator->() const { return instance_; }
  explicit operator bool() const { return instance_ != nullptr; }

  // Restores a parameter state through the interface's own chunk call (version header first).
  bool Restore(const std::vector<unsigned char>& state) {
    std::vector<unsigned char> chunk(4);
    const std::uint32_t version = static_cast<std::uint32_t>(instance_->EffectVersion(true));
    for (int i = 0; i < 4; ++i) chunk[std::size_t(i)] = static_cast<unsigned char>(version >> (8 * i));
    chunk.insert(chunk.end(), state.begin(), state.end());
    return instance_->Dispatch(effSetChunk, 1, static_cast<VstIntPtr>(chunk.size()), chunk.data(), 0.0f) == 1;
  }

private:
  IEffectVST* instance_;
};

}  // namespace

bool DrawEditorPicture(HostedPlugin& plugin, const RenderOptions& options, std::string* error) {
  ApplyWaitingChanges(plugin);
  std::vector<unsigned char> state;
  if (!plugin.SaveState(&state)) {
    *error = "the plug-in gave no state to draw its editor from";
    return false;
  }
  PictureInstance picture;
  if (!picture) {
    *error = "cannot create the editor's instance for the picture";
    return false;
  }
  if (!picture.Restore(state)) {
    *error = "the plug-in's state does not fit this tool's editor (is the plug-in from another version?)";
    return false;
  }
  auto* editor = dynamic_cast<IGraphics*>(picture->Editor());
  if (!editor || !editor->DrawBitmapSurface()) {
    *error = "this build has no editor to draw";
    return false;
  }
  // Everything, in the editor's drawing order, into its draw bitmap; no window is needed for
  // that (presenting it anywhere is not, so the answer of Paint does not matter here).
  editor->MarkAllDirty();
  editor->Paint(PixelRect(0, 0, editor->Width(), editor->Height()));
  return WriteBitmapPng(*editor->DrawBitmapSurface(), options.editorPngPath, error);
}

}  // namespace quivorant::render
