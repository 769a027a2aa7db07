// The base of every element on the editor: a rectangle, an optional link to one plug-in
// parameter, a normalised value and the flags the editor uses to decide what to redraw and where
// mouse events go. The editor (IGraphics) owns its controls and calls the virtual operations
// below on the user-interface thread; a control talks back to the core through SetDirty (push)
// and to the editor it was attached to.
#pragma once

#include "graphics/BlendSpec.h"
#include "graphics/MouseModifiers.h"
#include "graphics/PixelRect.h"

namespace quivorant {

class IEffectBase;
class IGraphics;
class IParamRecord;
class PromptPopup;

class IControl {
public:
  IControl(IEffectBase* plug, const PixelRect& rect, int paramIdx = -1, const BlendSpec* blend = nullptr);

  virtual ~IControl();
  virtual void OnMouseDown(int x, int y, const MouseModifiers& mods);
  virtual void OnMouseUp(int x, int y, const MouseModifiers& mods);
  virtual void OnDrop(int x, int y, const char* path);
  virtual void OnMouseDrag(int x, int y, int dX, int dY, const MouseModifiers& mods);
  virtual void OnMouseDoubleClick(int x, int y, const MouseModifiers& mods);
  virtual void OnMouseWheel(int x, int y, const MouseModifiers& mods, int steps);
  virtual void OnKeyDown(int x, int y, int key);
  virtual void OnMouseOver(int x, int y, const MouseModifiers& mods);
  virtual void OnMouseOut();
  virtual bool Draw(IGraphics* graphics) = 0;
  virtual void SetValueFromParam(double normalizedValue);
  virtual void SetValueFromEntry(double normalizedValue);
  virtual void PopupResult(const char* text, int index);
  virtual void Hide(bool hidden);
  virtual void SetGreyed(bool greyed);
  virtual bool IsHit(int x, int y) const;
  virtual void SetDirty(bool pushParamToPlug = true);
  virtual void SetClean();
  virtual bool IsDirty() const;
  virtual void ReservedHook();
  // Called by the editor when another control is about to be destroyed, so that no control keeps
  // a reference to it (a pop-up list to its owner, a drop-down to its list).
  virtual void ForgetReference(const IControl* gone);

  // Called by the editor window when its in-place entry for this control closes.
  void EntryClosed();

  // The editor that owns this control; set by IGraphics when the control is attached.
  void SetGraphics(IGraphics* graphics) { graphics_ = graphics; }
  IEffectBase* Plug() const { return plug_; }

  const PixelRect& Rect() const { return rect_; }
  const PixelRect& TargetRect() const { return targetRect_; }
  int ParamIdx() const { return paramIdx_; }
  // The parameter record, or null when the index names no parameter of the core. Every route to
  // the core goes through this check, so a control tied to a missing parameter never prompts
  // for, changes or reports one.
  IParamRecord* Param() const;
  bool HasParam() const { return Param() != nullptr; }

  double Value() const { return value_; }
  void SetValue(double normalizedValue) { value_ = normalizedValue; }
  double DefaultValue() const { return defaultValue_; }
  void SetClamp(double lo, double hi) {
    clampLo_ = lo;
    clampHi_ = hi;
  }

  IControl* Owner() const { return owner_; }
  void SetOwner(IControl* owner) { owner_ = owner; }
  bool IsHidden() const { return hidden_; }
  bool IsGreyed() const { return greyed_; }
  void DisablePrompt(bool disable) { disablePrompt_ = disable; }
  bool DoubleClickAsClick() const { return dblAsClick_; }
  void SetDoubleClickAsClick(bool on) { dblAsClick_ = on; }
  const BlendSpec& Blend() const { return blend_; }
  const char* Tooltip() const { return tooltip_; }
  void SetTooltip(const char* text) { tooltip_ = text; }

  // Moves both rectangles (a pop-up list re-centres itself on its owner).
  void SetRects(const PixelRect& rect) {
    rect_ = rect;
    targetRect_ = rect;
  }

protected:
  // The right-button path of the base OnMouseDown: pop-up list for list parameters, value prompt
  // for the others.
  void PromptForParam();
  // The editor's pop-up list over this control: a hidden, attached list for the caller to fill,
  // then centred on this control inside the editor and shown with entry `selected` highlighted
  // (-1: none). The pick comes back through PopupResult.
  PromptPopup* AttachPopupList();
  void ShowPopupList(PromptPopup* popup, int selected);

  double value_ = 0.0;
  IControl* owner_ = nullptr;
  IEffectBase* plug_ = nullptr;
  PixelRect rect_;
  PixelRect targetRect_;
  int paramIdx_ = -1;
  double defaultValue_ = -1.0;
  double clampLo_ = 0.0;
  double clampHi_ = 1.0;
  bool dirty_ = true;
  bool hidden_ = false;
  bool greyed_ = false;
  bool redraw_ = false;
  bool disablePrompt_ = false;
  bool dblAsClick_ = false;
  BlendSpec blend_;
  const char* tooltip_ = nullptr;
  IGraphics* graphics_ = nullptr;
};

}  // namespace quivorant
