// Dialogs, the web-address boxes, the directories and the file filter. Modal dialogs are answered
// by a hook that records what they showed and presses a button for the user.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/win/FileFilter.h"
#include "tests/graphics_win/EditorHost.h"

namespace quivorant::test {

namespace {

struct DialogAnswer {
  WPARAM button = IDCANCEL;
  std::vector<std::string> titles;
  std::vector<std::string> texts;
};

DialogAnswer* g_answer = nullptr;
HHOOK g_hook = nullptr;

std::string WindowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

BOOL CALLBACK CollectText(HWND child, LPARAM) {
  g_answer->texts.push_back(WindowText(child));
  return TRUE;
}

LRESULT CALLBACK AnswerDialogs(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && g_answer) {
    HWND dialog = reinterpret_cast<HWND>(wParam);
    char className[16] = {};
    GetClassNameA(dialog, className, sizeof className);
    if (std::string(className) == "#32770") {
      g_answer->titles.push_back(WindowText(dialog));
      EnumChildWindows(dialog, CollectText, 0);
      PostMessageA(dialog, WM_COMMAND, g_answer->button, 0);
    }
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

// Answers every dialog opened while it lives with one button.
class DialogAnswerer {
public:
  explicit DialogAnswerer(WPARAM button) {
    answer_.button = button;
    g_answer = &answer_;
    g_hook = SetWindowsHookExA(WH_CBT, AnswerDialogs, nullptr, GetCurrentThreadId());
  }
  ~DialogAnswerer() {
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_answer = nullptr;
  }
  const DialogAnswer& Seen() const { return answer_; }
  bool SawText(const std::string& text) const {
    for (const std::string& t : answer_.texts) {
      if (t == text) return true;
    }
    return false;
  }

private:
  DialogAnswer answer_;
};

}  // namespace

TEST(FileFilter, JoinsExtensionsIntoOnePattern) {
  const FileFilter two = MakeFileFilter("wav aif");
  EXPECT_EQ(two.filter, std::string("*.wav;*.aif\0*.wav;*.aif\0\0", 25));
  EXPECT_EQ(two.defaultExtension, "wav");
  const FileFilter one = MakeFileFilter("wav");
  EXPECT_EQ(one.filter, std::string("*.wav\0*.wav\0\0", 13));
  EXPECT_EQ(one.defaultExtension, "wav");
  // Every space starts an item, even an empty one.
  EXPECT_EQ(MakeFileFilter("wav  aif ").filter.substr(0, 17), "*.wav;*.;*.aif;*.");
  EXPECT_TRUE(MakeFileFilter("").filter.empty());
  EXPECT_TRUE(MakeFileFilter(nullptr).defaultExtension.empty());
}

TEST(Prompts, DirectoriesEndInABackslash) {
  EditorHost host;
  char dir[IGraphics::kPathCapacity];
  host.editor->GetHostDirectory(dir);
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  const std::string exePath(exe);
  EXPECT_EQ(std::string(dir), exePath.substr(0, exePath.rfind('\\') + 1));
  // This test program is also the module the editor's resources come from.
  char plugin[IGraphics::kPathCapacity];
  host.editor->GetPluginDirectory(plugin);
  EXPECT_STREQ(plugin, dir);
}

TEST(Prompts, DialogsNeedAnOpenWindow) {
  EditorHost host;
  char file[IGraphics::kPathCapacity] = "C:\\some.wav";
  host.editor->PromptForFile(file, 0, nullptr, "wav");
  EXPECT_STREQ(file, "");
  ArgbColor colour(10, 20, 30, 40);
  EXPECT_FALSE(host.editor->PromptForColor(&colour, "Pick"));
  EXPECT_EQ(colour.R, 20);
}

TEST(Prompts, FileDialogCancelledGivesEmptyText) {
  EditorHost host;
  host.Open();
  DialogAnswerer answer(IDCANCEL);
  char file[IGraphics::kPathCapacity] = "start.wav";
  host.editor->PromptForFile(file, 0, nullptr, "wav aif");
  EXPECT_STREQ(file, "");
  ASSERT_EQ(answer.Seen().titles.size(), 1u);
  EXPECT_EQ(answer.Seen().titles[0], "Select audio sample");
}

TEST(Prompts, ColourDialogShowsTheTitleAndKeepsAlphaOnOk) {
  EditorHost host;
  host.Open();
  {
    DialogAnswerer answer(IDCANCEL);
    ArgbColor colour(128, 10, 200, 30);
    EXPECT_FALSE(host.editor->PromptForColor(&colour, "Knob colour"));
    ASSERT_EQ(answer.Seen().titles.size(), 1u);
    EXPECT_EQ(answer.Seen().titles[0], "Knob colour");
  }
  DialogAnswerer answer(IDOK);
  ArgbColor colour(128, 10, 200, 30);
  EXPECT_TRUE(host.editor->PromptForColor(&colour, nullptr));
  EXPECT_EQ(colour.A, 128);
  EXPECT_EQ(colour.R, 10);
  EXPECT_EQ(colour.G, 200);
  EXPECT_EQ(colour.B, 30);
}

TEST(Prompts, OpenUrlAsksFirstAndReportsFailure) {
  EditorHost host;
  host.Open();
  {
    // "No" at the confirmation: nothing is opened.
    DialogAnswerer answer(IDNO);
    EXPECT_FALSE(host.editor->OpenUrl("https://www.tolvane.com/quivorant", "quivorant", "Open the web page?", nullptr));
    ASSERT_EQ(answer.Seen().titles.size(), 1u);
    EXPECT_EQ(answer.Seen().titles[0], "quivorant");
    EXPECT_TRUE(answer.SawText("Open the web page?"));
  }
  // Something that cannot be opened: the error box, then false.
  DialogAnswerer answer(IDOK);
  EXPECT_FALSE(host.editor->OpenUrl("C:\\no such folder\\nothing.qvx", nullptr, nullptr,
                                    "Cannot open url. Check your default browser."));
  ASSERT_EQ(answer.Seen().titles.size(), 1u);
  EXPECT_TRUE(answer.SawText("Cannot open url. Check your default browser."));
}

}  // namespace quivorant::test
