// The editor size the user chose, in the built library's chunks: kept after the parameter state,
// restored with it, and absent from older chunks, which load at 100 %.

#include <gtest/gtest.h>

#include <string>

#include "tests/support/Vst2Plugin.h"

namespace quivorant::test {
namespace {

std::string Chunk(LoadedPlugin& p, VstInt32 kind) {
  char* data = nullptr;
  const VstIntPtr size = p.Call(effGetChunk, kind, 0, &data);
  return size > 0 && data != nullptr ? std::string(data, size_t(size)) : std::string();
}

std::pair<int, int> EditorSize(LoadedPlugin& p) {
  ERect* rect = nullptr;
  if (p.Call(effEditGetRect, 0, 0, &rect) != 1 || rect == nullptr) return {0, 0};
  return {rect->right - rect->left, rect->bottom - rect->top};
}

TEST(Vst2ModuleEditorSize, TheChosenSizeTravelsAfterTheChunkAndOlderChunksLoadAtFullSize) {
  RecordingHost host;
  LoadedPlugin p;
  ASSERT_TRUE(p.ok());
  p.Start();
  for (VstInt32 kind : {0, 1}) {
    const std::string older = Chunk(p, kind);  // nothing chosen yet: the chunk as it always was
    ASSERT_FALSE(older.empty());
    // 150 % chosen: the tag "QVsz" and the percentage, little-endian, after the existing data.
    std::string chosen = older + std::string("QVsz\x96\0\0\0", 8);
    ASSERT_EQ(p.Call(effSetChunk, kind, VstIntPtr(chosen.size()), chosen.data()), 1);
    EXPECT_EQ(EditorSize(p), std::make_pair(593, 372)) << kind;
    EXPECT_EQ(Chunk(p, kind), chosen) << kind;

    LoadedPlugin other;
    other.Start();
    ASSERT_EQ(other.Call(effSetChunk, kind, VstIntPtr(chosen.size()), chosen.data()), 1);
    EXPECT_EQ(EditorSize(other), std::make_pair(593, 372)) << kind;
    ASSERT_EQ(other.Call(effSetChunk, kind, VstIntPtr(older.size()), const_cast<char*>(older.data())), 1);
    EXPECT_EQ(EditorSize(other), std::make_pair(395, 248)) << kind;
    EXPECT_EQ(Chunk(other, kind), older) << kind;
    // Back to no choice for the next kind.
    ASSERT_EQ(p.Call(effSetChunk, kind, VstIntPtr(older.size()), const_cast<char*>(older.data())), 1);
  }
}

}  // namespace
}  // namespace quivorant::test
