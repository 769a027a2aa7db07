// The editor picture. Audio goes through the loaded plug-in only; the picture needs the editor's
// drawing, which no plug-in interface hands to a host without a window, so the tool links the
// effect over the headless base for this one job. The loaded plug-in's own state is carried
// over into that instance, so the picture shows exactly what the loaded plug-in ended up with
// (including how it parsed every --set), not a second reading of the options.
#include <memory>
#include <vector>

#include "effect/Quivorant.h"
#include "graphics/IGraphics.h"
#include "plug/IEffectHeadless.h"
#include "raster/RasterSysBitmap.h"
#include "tools/render/PngFile.h"
#include "tools/render/RenderActions.h"
#include "tools/render/Renderer.h"

namespace quivorant::render {

namespace {

// Restores a parameter state into the headless instance and hands every value to its editor.
bool Restore(IEffectHeadless& instance, const std::vector<unsigned char>& state) {
  StateChunk chunk;
  if (!chunk.Assign(state.data(), static_cast<int>(state.size()))) return false;
  InstanceLock::Scope hold(instance.GetLock());
  if (instance.LoadState(chunk, 0) < 0) return false;
  instance.RedrawParamControls();
  return true;
}

}  // namespace

bool DrawEditorPicture(HostedPlugin& plugin, const RenderOptions& options, std::string* error) {
  ApplyWaitingChanges(plugin);
  std::vector<unsigned char> state;
  if (!plugin.SaveState(&state)) {
    *error = "the plug-in gave no state to draw its editor from";
    return false;
  }
  std::unique_ptr<IEffectHeadless> picture(CreateEffectInstance(nullptr));
  if (!picture) {
    *error = "cannot create the editor's instance for the picture";
    return false;
  }
  if (!Restore(*picture, state)) {
    *error = "the plug-in's state does not fit this tool's editor (is the plug-in from another version?)";
    return false;
  }
  // The headless library's instances are always the effect.
  IGraphics* editor = static_cast<CLS_QUIVORANT&>(*picture).EditorGraphics();
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
