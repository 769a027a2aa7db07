// The built library's editor opcodes as a host drives them, without a window system: the
// rectangle, a missing parent, closes without an open, and (outside Windows) an open that has
// no display or no such parent window to open in.

#include <gtest/gtest.h>

#include "tests/support/Vst2Plugin.h"

namespace quivorant::test {
namespace {

TEST(Vst2ModuleEditor, RectangleStaysValidAndMatchesTheEditor) {
  RecordingHost host;
  LoadedPlugin p;
  ASSERT_TRUE(p.ok());
  EXPECT_EQ((p.effect->flags & effFlagsHasEditor) != 0, kLibraryHasEditor);
  ERect* rect = nullptr;
  ASSERT_EQ(p.Call(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  p.Start();
  p.SetText(1, "5000");
  ERect* again = nullptr;
  ASSERT_EQ(p.Call(effEditGetRect, 0, 0, &again), 1);
  // Hosts keep the pointer: it is the same record, and it still holds the size.
  EXPECT_EQ(again, rect);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 248);
  EXPECT_EQ(rect->right, 395);
  EXPECT_EQ(p.Call(effEditGetRect, 0, 0, nullptr), 0);
}

TEST(Vst2ModuleEditor, LooseCallsAreHarmless) {
  RecordingHost host;
  LoadedPlugin p;
  ASSERT_TRUE(p.ok());
  p.Start();
  EXPECT_EQ(p.Call(effEditClose), 1);  // never opened
  EXPECT_EQ(p.Call(effEditClose), 1);
  EXPECT_EQ(p.Call(effEditOpen, 0, 0, nullptr), 0);  // a child window needs a parent
  EXPECT_EQ(p.Call(effEditIdle), 0);
  EXPECT_EQ(p.Call(effEditClose), 1);
  // The instance still works afterwards.
  p.SetText(3, "50");
  EXPECT_EQ(p.Text(effGetParamDisplay, 3), "50");
}

#if !defined(_WIN32)
TEST(Vst2ModuleEditor, NoWindowWithoutADisplayOrAParent) {
  RecordingHost host;
  LoadedPlugin p;
  ASSERT_TRUE(p.ok());
  p.Start();
  // Not a window of any display: this test runs without one, and an X server knows no such id.
  int parent = 0;
  EXPECT_EQ(p.Call(effEditOpen, 0, 0, &parent), 0);
  EXPECT_EQ(p.Call(effEditOpen, 0, 0, &parent), 0);
  EXPECT_EQ(p.Call(effEditClose), 1);
}
#endif

}  // namespace
}  // namespace quivorant::test
