#include "plug/EditorSizeRecord.h"

#include "plug/IEffectBase.h"

namespace quivorant {

namespace {

// "QVsz" read as a little-endian integer.
constexpr std::int32_t kEditorSizeTag = 0x7A735651;

}  // namespace

void PutEditorSize(const IEffectBase& effect, StateChunk& chunk) {
  const IEditorConnection* editor = effect.Editor();
  if (editor == nullptr || editor->ChosenScale() <= 0) return;
  chunk.PutInt32(kEditorSizeTag);
  chunk.PutInt32(editor->ChosenScale());
}

void RestoreEditorSize(IEffectBase& effect, const StateChunk& chunk, int pos) {
  IEditorConnection* editor = effect.Editor();
  if (editor == nullptr) return;
  std::int32_t tag = 0;
  std::int32_t percent = 0;
  const int next = pos >= 0 ? chunk.GetInt32(&tag, pos) : -1;
  if (next < 0 || tag != kEditorSizeTag || chunk.GetInt32(&percent, next) < 0) percent = 0;
  const int width = editor->WindowWidth();
  const int height = editor->WindowHeight();
  editor->RestoreChosenScale(percent);
  const bool resized = editor->WindowWidth() != width || editor->WindowHeight() != height;
  if (resized && effect.EditorWindow() != nullptr) effect.ResizeEditor(editor->WindowWidth(), editor->WindowHeight());
}

}  // namespace quivorant
