// X events of the editor window become the editor core's events, as window messages do on
// Windows: presses, releases, drags (the server holds the pointer for us while a button is
// down), double clicks, the wheel (buttons 4 and 5), keys for the value entry and the controls,
// leaving the window and losing the focus.
#include "graphics/x11/detail/X11Connection.h"

#include <X11/keysym.h>

#include <cstdlib>

#include "graphics/KeyCode.h"

namespace quivorant {

namespace {

MouseModifiers ModifiersOf(unsigned int state) {
  MouseModifiers mods;
  mods.left = (state & Button1Mask) != 0;
  mods.right = (state & Button3Mask) != 0;
  mods.shift = (state & ShiftMask) != 0;
  mods.control = (state & ControlMask) != 0;
  mods.alt = (state & Mod1Mask) != 0;
  return mods;
}

// The key numbers controls know; -1 for every other key.
int ControlKeyFor(KeySym sym) {
  switch (sym) {
    case XK_space:
      return kKeySpace;
    case XK_Up:
      return kKeyUpArrow;
    case XK_Down:
      return kKeyDownArrow;
    case XK_Left:
      return kKeyLeftArrow;
    case XK_Right:
      return kKeyRightArrow;
    default:
      break;
  }
  if (sym >= XK_0 && sym <= XK_9) return kKeyDigit0 + int(sym - XK_0);
  if (sym >= XK_a && sym <= XK_z) return kKeyLetterA + int(sym - XK_a);
  if (sym >= XK_A && sym <= XK_Z) return kKeyLetterA + int(sym - XK_A);
  return -1;
}

// Editing keys of the value entry; false for keys that only type.
bool EntryKeyFor(KeySym sym, unsigned int state, EntryKey* key) {
  switch (sym) {
    case XK_Left:
    case XK_KP_Left:
      *key = EntryKey::kLeft;
      return true;
    case XK_Right:
    case XK_KP_Right:
      *key = EntryKey::kRight;
      return true;
    case XK_Home:
    case XK_KP_Home:
      *key = EntryKey::kHome;
      return true;
    case XK_End:
    case XK_KP_End:
      *key = EntryKey::kEnd;
      return true;
    case XK_BackSpace:
      *key = EntryKey::kBackspace;
      return true;
    case XK_Delete:
    case XK_KP_Delete:
      *key = EntryKey::kDelete;
      return true;
    case XK_Return:
    case XK_KP_Enter:
      *key = EntryKey::kEnter;
      return true;
    case XK_Escape:
      *key = EntryKey::kEscape;
      return true;
    default:
      break;
  }
  if ((state & ControlMask) != 0 && (sym == XK_a || sym == XK_A)) {
    *key = EntryKey::kSelectAll;
    return true;
  }
  return false;
}

}  // namespace

void IGraphicsX11::HandleEvent(const void* raw) {
  const XEvent& event = *static_cast<const XEvent*>(raw);
  // Every handler that calls into the editor may end with the window closed (a host that
  // closes the editor in answer to an edit): `x` is not touched after such a call.
  Connection& x = *x_;
  if (event.xany.window != x.window) return;
  switch (event.type) {
    case Expose: {
      // Without controls (or before the core made the draw bitmap) there is nothing to show.
      if (NControls() == 0 || !DrawBitmapSurface()) return;
      const XExposeEvent& e = event.xexpose;
      Paint(Scale().ToEditorCovering(PixelRect(e.x, e.y, e.x + e.width, e.y + e.height)));
      return;
    }
    case DestroyNotify:
      // Our window went with the host's: nothing more is drawn or asked of it. The connection
      // and the window's id stay until the host closes the editor (its loop may still watch the
      // descriptor, and the core still counts the editor as open).
      x.gone = true;
      prompts_.DropAll();
      EndMouseGesture();
      return;
    case ButtonPress: {
      const XButtonEvent& e = event.xbutton;
      if (e.button != Button1 && e.button != Button3 && e.button != Button4 && e.button != Button5) return;
      MouseModifiers mods = ModifiersOf(e.state);
      if (e.button == Button4 || e.button == Button5) {
        OnMouseWheel(e.x, e.y, mods, e.button == Button4 ? 1 : -1);
        return;
      }
      {
        // Keys for the entry and the controls come to the window the user clicked.
        x11::ErrorTrap trap(x.display);
        XSetInputFocus(x.display, x.window, RevertToParent, CurrentTime);
      }
      const bool right = e.button == Button3;
      // A right click while the entry is open only cancels it.
      const bool entryOpen = prompts_.Entry() != nullptr && !prompts_.Message();
      prompts_.PointerPressed(e.x, e.y, right);
      if (right && entryOpen) return;
      mods.left = !right;
      mods.right = right;
      const bool doubleClick = !right && e.time - x.lastPress <= kDoubleClickMs &&
                               std::abs(e.x - x.lastPressX) <= kDoubleClickDistance &&
                               std::abs(e.y - x.lastPressY) <= kDoubleClickDistance;
      // A third press starts counting again.
      const bool startsCount = !doubleClick && !right;
      x.lastPress = startsCount ? e.time : 0;
      x.lastPressX = startsCount ? e.x : -1000;
      x.lastPressY = startsCount ? e.y : -1000;
      const bool captured = doubleClick ? OnMouseDoubleClick(e.x, e.y, mods) : (OnMouseDown(e.x, e.y, mods), true);
      // The host may have closed the editor in answer to the press.
      if (x_) x_->dragging = captured;
      return;
    }
    case ButtonRelease: {
      const XButtonEvent& e = event.xbutton;
      if (e.button != Button1 && e.button != Button3) return;
      MouseModifiers mods = ModifiersOf(e.state);
      if (e.button == Button1)
        mods.left = false;
      else
        mods.right = false;
      x.dragging = false;
      OnMouseUp(e.x, e.y, mods);
      return;
    }
    case MotionNotify: {
      const XMotionEvent& e = event.xmotion;
      x.pointerX = e.x;
      x.pointerY = e.y;
      const MouseModifiers mods = ModifiersOf(e.state);
      if (mods.left || mods.right) {
        if (x.dragging) OnMouseDrag(e.x, e.y, mods);
      } else {
        OnMouseOver(e.x, e.y, mods);
      }
      return;
    }
    case LeaveNotify:
      // While a button is held the drag goes on outside the window.
      if (event.xcrossing.mode == NotifyNormal && !x.dragging) OnMouseOut();
      return;
    case FocusOut: {
      // Only the focus going to another window counts: not to one of ours, and not the end of
      // the pointer's focus when we take the focus ourselves.
      const int detail = event.xfocus.detail;
      const bool elsewhere = detail == NotifyAncestor || detail == NotifyVirtual || detail == NotifyNonlinear ||
                             detail == NotifyNonlinearVirtual;
      if (elsewhere && event.xfocus.mode == NotifyNormal) prompts_.FocusLost();
      return;
    }
    case KeyPress: {
      XKeyEvent key = event.xkey;
      char text[32] = {};
      KeySym sym = NoSymbol;
      const int length = XLookupString(&key, text, int(sizeof text) - 1, &sym, nullptr);
      text[length > 0 ? length : 0] = '\0';
      EntryKey entryKey;
      const bool editing = EntryKeyFor(sym, key.state, &entryKey);
      if (editing ? prompts_.PressKey(entryKey, (key.state & ShiftMask) != 0)
                  : (length > 0 && (key.state & ControlMask) == 0 && prompts_.TypeText(text))) {
        return;
      }
      const int code = ControlKeyFor(sym);
      if (code >= 0) OnKeyDown(x.pointerX, x.pointerY, code);
      return;
    }
    default:
      return;
  }
}

}  // namespace quivorant
