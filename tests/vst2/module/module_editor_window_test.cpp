// The DLL's editor in a real window (Wine and a virtual display): opened through effEditOpen in a
// host frame, it is a child window of the editor's class and size showing the background image,
// a click on a filter-type button (real posted mouse messages) reaches the parameter and the host
// as one gesture, and effEditClose takes the window away again.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/graphics_win/HostFrame.h"
#include "tests/graphics_win/ScreenCapture.h"
#include "tests/graphics_win/WindowInput.h"
#include "tests/support/Vst2Plugin.h"

namespace quivorant::test {
namespace {

using quivorant::test::CaptureClient;
using quivorant::test::CreateHostFrame;
using quivorant::test::LoadPng;
using quivorant::test::NearColour;
using quivorant::test::PostClick;
using quivorant::test::PumpMessages;

constexpr const char* kEditorClass = "IEffectWndClass";

std::vector<VstInt32> GestureOpcodes(const RecordingHost& host) {
  std::vector<VstInt32> out;
  for (const HostCall& call : host.calls) {
    if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterAutomate ||
        call.opcode == audioMasterEndEdit) {
      out.push_back(call.opcode);
    }
  }
  return out;
}

TEST(Vst2ModuleEditorWindow, OpensInTheHostFrameDrawsAndEdits) {
  RecordingHost host;
  HWND frame = CreateHostFrame();
  ASSERT_NE(frame, nullptr);
  {
    LoadedPlugin p;
    ASSERT_TRUE(p.ok());
    p.Start();
    ERect* rect = nullptr;
    ASSERT_EQ(p.Call(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(p.Call(effEditOpen, 0, 0, nullptr), 0);  // no parent, no window
    EXPECT_EQ(FindWindowExA(frame, nullptr, kEditorClass, nullptr), nullptr);

    ASSERT_EQ(p.Call(effEditOpen, 0, 0, frame), 1);
    HWND window = FindWindowExA(frame, nullptr, kEditorClass, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), frame);
    RECT client = {};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, rect->right);
    EXPECT_EQ(client.bottom, rect->bottom);
    EXPECT_EQ(client.right, 395);
    EXPECT_EQ(client.bottom, 248);

    PumpMessages(400);  // the first paint and a few timer ticks
    const quivorant::test::Capture bg = LoadPng(QUIVORANT_BACKGROUND_PNG);
    ASSERT_EQ(bg.width, 395);
    ASSERT_EQ(bg.height, 248);
    const quivorant::test::Capture shot = CaptureClient(window);
    ASSERT_EQ(shot.width, 395);
    ASSERT_EQ(shot.height, 248);
    // Away from every control: the background as the image has it.
    const int spots[][2] = {{4, 4}, {380, 40}, {10, 140}, {200, 235}, {390, 245}, {60, 90}};
    for (const auto& s : spots) {
      EXPECT_TRUE(NearColour(shot.At(s[0], s[1]), bg.At(s[0], s[1])))
          << "(" << s[0] << ", " << s[1] << "): screen " << std::hex << shot.At(s[0], s[1]) << ", image "
          << bg.At(s[0], s[1]);
    }

    // The third filter-type button (Bandpass; the default is Highpass), as the system delivers a
    // click: posted messages through the message loop.
    host.Clear();
    PostClick(window, 160, 118);
    PumpMessages(200);
    EXPECT_EQ(GestureOpcodes(host),
              (std::vector<VstInt32>{audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit}));
    const std::vector<HostCall> automated = host.CallsOf(audioMasterAutomate);
    ASSERT_EQ(automated.size(), 1u);
    EXPECT_EQ(automated[0].index, 0);
    EXPECT_EQ(automated[0].opt, 1.0f);
    EXPECT_EQ(host.CallsOf(audioMasterBeginEdit)[0].index, 0);
    EXPECT_EQ(host.CallsOf(audioMasterEndEdit)[0].index, 0);
    EXPECT_EQ(p.effect->getParameter(p.effect, 0), 1.0f);
    EXPECT_EQ(p.Text(effGetParamDisplay, 0), "Bandpass");

    EXPECT_EQ(p.Call(effEditClose), 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FindWindowExA(frame, nullptr, kEditorClass, nullptr), nullptr);
    EXPECT_EQ(p.Call(effEditClose), 1);  // again: harmless

    // Opened twice in a row: still one editor window in the frame.
    ASSERT_EQ(p.Call(effEditOpen, 0, 0, frame), 1);
    ASSERT_EQ(p.Call(effEditOpen, 0, 0, frame), 1);
    window = FindWindowExA(frame, nullptr, kEditorClass, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowExA(frame, window, kEditorClass, nullptr), nullptr);
    PumpMessages(100);
    // Left open: effClose (the instance going away) takes the window along.
    p.Call(effClose);
    p.effect = nullptr;
    EXPECT_FALSE(IsWindow(window));
  }
  PumpMessages(50);
  DestroyWindow(frame);
}

}  // namespace
}  // namespace quivorant::test
