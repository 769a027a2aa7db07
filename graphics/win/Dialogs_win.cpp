// The system dialogs the editor offers its controls: open and save file, colour, confirmation and
// failure boxes around opening a web address, and the directories of the host and the plug-in.
// All of them are modal and run on the editor window's thread.
#include "graphics/win/detail/WindowsApi.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstring>

#include "graphics/win/FileFilter.h"
#include "graphics/win/IGraphicsWin.h"
#include "graphics/win/detail/WinProcs.h"

namespace quivorant {

using detail::AsWindow;

namespace {

constexpr DWORD kOpenFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
constexpr DWORD kSaveFlags = kOpenFlags | OFN_OVERWRITEPROMPT;
constexpr DWORD kColourFlags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_SOLIDCOLOR | CC_ANYCOLOR;

// Copies at most capacity - 1 characters and always terminates.
void CopyBounded(char* out, const char* text, std::size_t capacity) {
  std::size_t n = 0;
  if (text) {
    while (n + 1 < capacity && text[n]) {
      out[n] = text[n];
      ++n;
    }
  }
  out[n] = '\0';
}

// out = the directory of module's file with its trailing backslash, or "" when unknown.
void ModuleDirectory(HMODULE module, char* out) {
  out[0] = '\0';
  char name[IGraphics::kPathCapacity] = {};
  const DWORD length = GetModuleFileNameA(module, name, sizeof name);
  // A cut-off name is no path at all.
  if (length == 0 || length >= sizeof name) return;
  const char* slash = std::strrchr(name, '\\');
  if (!slash || slash[1] == '\0') return;
  CopyBounded(out, name, std::size_t(slash - name) + 2);
}

UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* choose = reinterpret_cast<const CHOOSECOLORA*>(lParam);
    if (choose && choose->lCustData) SetWindowTextA(dialog, reinterpret_cast<const char*>(choose->lCustData));
  }
  return 0;
}

}  // namespace

void IGraphicsWin::GetHostDirectory(char* out) {
  if (out) ModuleDirectory(nullptr, out);
}

void IGraphicsWin::GetPluginDirectory(char* out) {
  if (out) ModuleDirectory(static_cast<HMODULE>(moduleInstance_), out);
}

void IGraphicsWin::PromptForFile(char* fileName, int action, const char* directory, const char* extensions) {
  if (!fileName) return;
  if (!editorWindow_) {
    fileName[0] = '\0';
    return;
  }
  char file[kPathCapacity];
  CopyBounded(file, fileName, sizeof file);
  char initialDir[kPathCapacity];
  if (directory && *directory)
    CopyBounded(initialDir, directory, sizeof initialDir);
  else
    GetHostDirectory(initialDir);
  const FileFilter filter = MakeFileFilter(extensions);

  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = AsWindow(editorWindow_);
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrFilter = filter.filter.empty() ? nullptr : filter.filter.c_str();
  dialog.lpstrDefExt = filter.defaultExtension.empty() ? nullptr : filter.defaultExtension.c_str();
  dialog.lpstrInitialDir = initialDir;
  dialog.lpstrTitle = "Select audio sample";
  dialog.Flags = action == 1 ? kSaveFlags : kOpenFlags;
  const BOOL chosen = action == 1 ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  file[sizeof file - 1] = '\0';
  CopyBounded(fileName, chosen ? file : "", kPathCapacity);
}

bool IGraphicsWin::PromptForColor(ArgbColor* colour, const char* title) {
  if (!colour || !editorWindow_) return false;
  // Kept for the editor's life, so colours the user adds stay on offer.
  if (!customColours_) customColours_ = std::make_unique<std::uint32_t[]>(16);
  static_assert(sizeof(COLORREF) == sizeof(std::uint32_t), "custom colours are COLORREFs");
  CHOOSECOLORA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = AsWindow(editorWindow_);
  dialog.rgbResult = RGB(colour->R, colour->G, colour->B);
  dialog.lpCustColors = reinterpret_cast<COLORREF*>(customColours_.get());
  dialog.Flags = kColourFlags;
  dialog.lCustData = reinterpret_cast<LPARAM>(title);
  dialog.lpfnHook = ColourDialogHook;
  if (!ChooseColorA(&dialog)) return false;
  colour->R = GetRValue(dialog.rgbResult);
  colour->G = GetGValue(dialog.rgbResult);
  colour->B = GetBValue(dialog.rgbResult);
  return true;
}

bool IGraphicsWin::OpenUrl(const char* url, const char* title, const char* confirmText, const char* errorText) {
  if (!url) return false;
  HWND owner = AsWindow(editorWindow_);
  if (confirmText && MessageBoxA(owner, confirmText, title, MB_YESNO) != IDYES) return false;
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", url, nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return true;
  if (errorText) MessageBoxA(owner, errorText, title, MB_OK);
  return false;
}

}  // namespace quivorant
