// The in-place value entry: an "EDIT" box (or a "COMBOBOX" for list parameters) laid over the
// control. The entry only records what the user did; the editor's timer applies or drops the
// text at its next tick, so no value changes from inside the entry's own messages.
#include <algorithm>
#include <cstring>

#include "graphics/controls/IControl.h"
#include "graphics/win/IGraphicsWin.h"
#include "graphics/win/detail/WinProcs.h"
#include "plug/IParamRecord.h"

namespace quivorant {

using detail::AsWindow;

namespace {

LRESULT CallPreviousProc(HWND entry, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropA(entry, detail::kPreviousProcProperty));
  if (previous) return CallWindowProcA(previous, entry, message, wParam, lParam);
  return DefWindowProcA(entry, message, wParam, lParam);
}

bool IsListKind(const IParamRecord* param) { return param->kind == kParamEnum || param->kind == kParamBool; }

int TextLength(const char* text) { return int(std::strlen(text)); }

struct EntryPlace {
  const char* className;
  DWORD style;
  int x, y, width, height;
};

}  // namespace

namespace detail {

LRESULT CALLBACK EntryWindowProc(HWND entry, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND parent = GetParent(entry);
  auto* editor = parent ? reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(parent, GWLP_USERDATA)) : nullptr;
  if (editor && editor->GetWindow() == parent && editor->EntryWindow() == entry) {
    return editor->HandleEntryMessage(entry, message, wParam, lParam);
  }
  return CallPreviousProc(entry, message, wParam, lParam);
}

}  // namespace detail

void IGraphicsWin::PromptTextEntry(IControl*) {
  // No control of ours edits free text in place.
}

void IGraphicsWin::PromptParamEntry(IControl* control, IParamRecord* param, bool compact) {
  if (!control || !param || entryWindow_ || !editorWindow_) return;
  CreateEntry(control, param, compact);
}

void IGraphicsWin::CreateEntry(IControl* control, IParamRecord* param, bool compact) {
  const PixelRect& rect = control->Rect();
  const int cx = int((double(rect.left) + rect.right) * 0.5);
  const int cy = int((double(rect.top) + rect.bottom) * 0.5);
  char current[kParamTextCapacity];
  param->FormatValue(param->CurrentValue(), false, current, sizeof current);

  const int texts = param->DisplayTextCount();
  const bool list = texts > 0 && IsListKind(param);
  EntryPlace place;
  int selected = -1;
  if (list) {
    int width = 24;
    for (int i = 0; i < texts; ++i) {
      const char* item = param->DisplayTextFor(i);
      width = std::max(width, 8 * TextLength(item) + 24);
      if (std::strcmp(item, current) == 0) selected = i;
    }
    const int listHeight = 36 * (texts + 1);
    place = compact ? EntryPlace{"COMBOBOX", 0, cx - width / 2, cy, width, listHeight}
                    : EntryPlace{"COMBOBOX", 0, rect.left, cy, rect.Width(), rect.Height()};
    place.style = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST;
  } else if (compact) {
    char top[kParamTextCapacity];
    param->FormatValue(1.0, true, top, sizeof top);
    const int width = std::max(32, 7 * TextLength(top) + 6);
    place = EntryPlace{"EDIT", WS_CHILD | WS_VISIBLE | ES_CENTER | ES_MULTILINE, cx - width / 2, cy - 8, width, 16};
  } else {
    place = EntryPlace{"EDIT", WS_CHILD | WS_VISIBLE | ES_MULTILINE, rect.left, rect.top, rect.Width(), rect.Height()};
  }

  // Placed in editor units above; the window counts pixels.
  place.x = Scale().ToWindow(place.x);
  place.y = Scale().ToWindow(place.y);
  place.width = Scale().ToWindow(place.width);
  place.height = Scale().ToWindow(place.height);
  HWND editor = AsWindow(editorWindow_);
  HWND entry = CreateWindowExA(0, place.className, list ? "" : current, place.style, place.x, place.y, place.width,
                               place.height, editor, reinterpret_cast<HMENU>(INT_PTR(kEntryControlId)),
                               static_cast<HINSTANCE>(moduleInstance_), nullptr);
  if (!entry) return;
  if (list) {
    for (int i = 0; i < texts; ++i)
      SendMessageA(entry, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(param->DisplayTextFor(i)));
    SendMessageA(entry, CB_SETCURSEL, WPARAM(selected), 0);
  } else {
    // Whatever is typed fits what the timer reads back.
    SendMessageA(entry, EM_SETLIMITTEXT, kEntryTextCapacity - 1, 0);
    SendMessageA(entry, EM_SETSEL, 0, -1);
  }
  entryWindow_ = entry;
  entryControl_ = control;
  entryParam_ = param;
  editState_ = kEditNone;
  SetPropA(entry, detail::kPreviousProcProperty,
           reinterpret_cast<HANDLE>(
               SetWindowLongPtrA(entry, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(detail::EntryWindowProc))));
  HFONT font = CreateFontA(Scale().ToWindow(14), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  entryFont_ = font;
  if (font) SendMessageA(entry, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // Focus after the procedure is ours, so that the entry starts in the editing state.
  SetFocus(entry);
}

std::intptr_t IGraphicsWin::HandleEntryMessage(void* handle, unsigned message, std::uintptr_t wParam,
                                               std::intptr_t lParam) {
  HWND entry = AsWindow(handle);
  HideTooltip();
  switch (message) {
    case WM_SETFOCUS:
      editState_ = kEditEditing;
      break;
    case WM_KILLFOCUS:
      editState_ = kEditNone;
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        char className[5] = {};
        GetClassNameA(entry, className, sizeof className);
        if (lstrcmpiA(className, "EDIT") == 0) SendMessageA(entry, EM_SETSEL, WPARAM(-1), 0);
        editState_ = kEditCommit;
        return 0;
      }
      editState_ = kEditEditing;
      break;
    case WM_CHAR:
      // The key-down of Enter committed; its character must not become a line break.
      if (wParam == '\r' || wParam == '\n') return 0;
      break;
    case WM_COMMAND:
      // A combo box's own list reports a picked item this way.
      if (HIWORD(wParam) == 1) {
        editState_ = kEditCommit;
        return 0;
      }
      break;
    default:
      break;
  }
  return CallPreviousProc(entry, message, wParam, lParam);
}

void IGraphicsWin::ApplyOrDropEntry() {
  if (!entryWindow_ || editState_ == kEditNone) {
    editState_ = kEditNone;
    return;
  }
  const int state = editState_;
  editState_ = kEditNone;
  if (state == kEditCommit) {
    char text[kEntryTextCapacity] = {};
    SendMessageA(AsWindow(entryWindow_), WM_GETTEXT, kEntryTextCapacity, reinterpret_cast<LPARAM>(text));
    text[kEntryTextCapacity - 1] = '\0';
    // The control may have gone since the entry opened (the editor was rebuilt).
    if (IndexOf(entryControl_) >= 0) ApplyTextEntry(entryControl_, entryParam_, text);
    CloseEntry();
  } else if (state == kEditCancel) {
    CloseEntry();
  }
}

void IGraphicsWin::CloseEntry() {
  IControl* control = entryControl_;
  ForgetEntry(true);
  if (IndexOf(control) >= 0) control->EntryClosed();
}

void IGraphicsWin::ForgetEntry(bool destroyWindow) {
  HWND entry = AsWindow(entryWindow_);
  if (!entry) return;
  entryWindow_ = nullptr;
  entryControl_ = nullptr;
  entryParam_ = nullptr;
  editState_ = kEditNone;
  if (HANDLE previous = GetPropA(entry, detail::kPreviousProcProperty)) {
    SetWindowLongPtrA(entry, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropA(entry, detail::kPreviousProcProperty);
  }
  SendMessageA(entry, WM_SETFONT, 0, FALSE);
  if (destroyWindow) DestroyWindow(entry);
  if (entryFont_) DeleteObject(static_cast<HFONT>(entryFont_));
  entryFont_ = nullptr;
}

}  // namespace quivorant
