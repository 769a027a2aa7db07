// The platform-neutral heart of the editor: the ordered control list, the editor's size and frame
// rate, dirty collection and painting into one off-screen bitmap, and the routing of mouse and
// key events from the window to the controls, with the core's edit-gesture calls around every
// mouse action on a control that is tied to a parameter.
//
// Everything here runs on the host's user-interface thread; the list takes no lock of its own.
// Presenting pixels, window management, prompts and resource loading are the platform's (the
// Windows window, or the off-screen editor used on other systems and by tests).
//
// Gesture walkthrough, as the window drives it:
//   press   -> FindControlAt, capture, BeginParamEdit, control OnMouseDown
//   drags   -> captured control OnMouseDrag with deltas (same position swallowed)
//   release -> control OnMouseUp, EndParamEdit, capture dropped
//   wheel   -> WheelEditHook, control OnMouseWheel, EndParamGestureDeferred; the window's timer
//              counts the ticks the core asked for and then calls FlushDeferredGesture.
#pragma once

#include <memory>
#include <vector>

#include "graphics/ArgbColor.h"
#include "graphics/BitmapRef.h"
#include "graphics/BlendSpec.h"
#include "graphics/EditorScale.h"
#include "graphics/MouseModifiers.h"
#include "graphics/PixelRect.h"
#include "graphics/ScaledArt.h"
#include "graphics/TextStyle.h"
#include "plug/EditorConnection.h"

namespace quivorant {

class IControl;
class IEffectBase;
class IParamRecord;
class RasterBitmap;
class RasterSysBitmap;

class IGraphics : public IEditorConnection {
public:
  static constexpr int kDefaultFrameRate = 24;

  IGraphics(IEffectBase* plug, int width, int height, int frameRate = 0);

  // Platform slots, in the order the window implementation fills them.
  virtual bool Present(const PixelRect& rect) = 0;
  virtual void Resize(int width, int height);
  virtual bool IsWindowOpen() { return GetWindow() != nullptr; }
  virtual void PromptTextEntry(IControl* control) = 0;
  virtual void PromptParamEntry(IControl* control, IParamRecord* param, bool compact) = 0;
  // Each fills a buffer of at least kPathCapacity bytes.
  virtual void GetHostDirectory(char* out) = 0;
  virtual void GetPluginDirectory(char* out) = 0;
  virtual void PromptForFile(char* fileName, int action, const char* directory, const char* extensions) = 0;
  virtual bool PromptForColor(ArgbColor* colour, const char* title) = 0;
  virtual bool OpenUrl(const char* url, const char* title, const char* confirmText, const char* errorText) = 0;
  virtual bool HostMouseWheel(float distance) {
    (void)distance;
    return false;
  }
  void SetWheelGestureTicks(int ticks) override;
  void ClearWheelGestureTicks() override;
  virtual int ReservedHook() { return 0; }
  virtual void* OpenWindow(void* parent) = 0;
  virtual void CloseWindow() = 0;
  virtual void* GetWindow() = 0;
  ~IGraphics() override;
  virtual void HideTooltipIfDisabled() = 0;
  // Decodes the PNG resource numbered key into a new bitmap the caller owns, or null.
  virtual RasterBitmap* LoadBitmapResource(int key, const char* fileName) = 0;

  static constexpr int kPathCapacity = 256;

  // Editor connection (the core's view of an attached editor).
  void SetControlsFromParam(int paramIdx, double value, bool isNormalized) override;
  void PrepareDraw() override;
  int FrameRate() const override { return frameRate_; }

  // Control list.
  int AttachControl(IControl* control);
  void RemoveControl(IControl* control);
  int NControls() const { return int(controls_.size()); }
  // Null for any index outside the list.
  IControl* GetControl(int idx) const;
  int IndexOf(const IControl* control) const;
  void MarkAllDirty();
  void DropMouseCapture();
  // The window goes while a button holds a control: its release will never come, so the host's
  // edit gesture ends here instead of staying open.
  void EndMouseGesture();
  void ClosePopup(bool selectionMade);
  IControl* PopupControl() const { return popupControl_; }
  void SetPopupControl(IControl* popup) { popupControl_ = popup; }
  void ClearPopupControl() { popupControl_ = nullptr; }
  void ForgetHoveredControl() { hoveredControl_ = -1; }
  // Called by a control's destructor: removes it from the list if it is still there and tells
  // every other control to drop references to it.
  void ForgetControl(const IControl* gone);

  // Redraw. Rectangles in editor units; Paint presents the window pixels they cover.
  bool CollectDirtyRect(PixelRect* rect);
  bool Paint(const PixelRect& updateRect);

  // Scale: editor units to window pixels. The user's choice from the background menu wins over
  // the factor the host or the screen asks for; without either the editor draws at 1.
  const EditorScale& Scale() const { return scale_; }
  // The host's factor; true when the editor's window size changed. Once a host has given one,
  // the screen's factor (the window's monitor, the X server's resolution) no longer counts.
  bool SetContentScale(double factor) override;
  bool SetScreenScale(double factor);
  // One of the menu's percentages, or 0 to follow the host again; asks the host to resize.
  void ChooseScale(int percent);
  int ChosenScale() const override { return chosenScale_; }
  // Restores a saved choice without asking the host (it reads the size when it opens the editor).
  void RestoreChosenScale(int percent) override;
  int WindowWidth() const override { return scale_.ToWindow(width_); }
  int WindowHeight() const override { return scale_.ToWindow(height_); }

  // Events from the window, in window pixels (FindControlAt takes editor units).
  bool OnMouseDown(int x, int y, const MouseModifiers& mods);
  void OnMouseUp(int x, int y, const MouseModifiers& mods);
  void OnMouseDrag(int x, int y, const MouseModifiers& mods);
  bool OnMouseDoubleClick(int x, int y, const MouseModifiers& mods);
  void OnMouseWheel(int x, int y, const MouseModifiers& mods, int notches);
  bool OnMouseOver(int x, int y, const MouseModifiers& mods);
  void OnMouseOut();
  void OnKeyDown(int x, int y, int key);
  void OnDrop(int x, int y, const char* fileName);
  int FindControlAt(int x, int y) const;

  // Applies what the user typed into an in-place entry for control's parameter: a value's name
  // or a number, with or without the unit label; anything else changes nothing.
  void ApplyTextEntry(IControl* control, IParamRecord* param, const char* text);

  // Wheel gesture countdown, driven by the window's timer: returns true on the tick that ended
  // the gesture (the core's FlushDeferredGesture has then been called).
  bool AdvanceWheelGestureCountdown();
  // Timer tick: hands the controls the values the audio thread changed since the last tick.
  void CatchUpWithCore();
  int WheelGestureTicksLeft() const { return wheelGestureTicks_; }

  // Bitmaps and fonts (IGraphicsDrawing.cpp).
  BitmapRef LoadBitmap(int key, const char* fileName, int frameCount = 1);
  void AttachBackground(int key, const char* fileName);
  BitmapRef SplitBitmap(BitmapRef* ref, float fraction);
  BitmapRef GetCachedBitmap(int key);
  RasterCachedFont* GetCachedFont(TextStyle* style);

  // Drawing into the draw bitmap; each returns true.
  bool DrawBitmap(const BitmapRef& ref, const PixelRect& dest, int srcX, int srcY, const BlendSpec* blend = nullptr);
  bool DrawBitmapFrame(const BitmapRef& ref, const PixelRect& dest, int frame, const BlendSpec* blend = nullptr,
                       bool vertical = false);
  bool DrawRotatedBitmap(const BitmapRef& ref, int centreX, int centreY, double angle, const BlendSpec* blend = nullptr,
                         float srcX = 0.0f, float srcY = 0.0f);
  bool DrawLine(const ArgbColor& colour, float x1, float y1, float x2, float y2, const BlendSpec* blend = nullptr,
                bool antialias = false);
  bool FillRect(const ArgbColor& colour, const PixelRect& rect, const BlendSpec* blend = nullptr);
  bool DrawRoundRect(const ArgbColor& colour, const PixelRect& rect, int radius, const BlendSpec* blend = nullptr,
                     bool antialias = false);
  bool FillRoundRect(const ArgbColor& colour, const PixelRect& rect, int radius, int corners,
                     const BlendSpec* blend = nullptr, bool antialias = false);
  bool DrawText(TextStyle* style, const char* text, const PixelRect& rect);

  // State.
  IEffectBase* Plug() const { return plug_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  RasterSysBitmap* DrawBitmapSurface() const { return drawBitmap_.get(); }
  const PixelRect& DrawRect() const { return drawRect_; }
  int CapturedControl() const { return capturedControl_; }
  int HoveredControl() const { return hoveredControl_; }
  int LastMouseX() const { return mouseX_; }
  int LastMouseY() const { return mouseY_; }

  bool MouseOverEnabled() const { return mouseOverEnabled_; }
  void EnableMouseOver(bool on) { mouseOverEnabled_ = on; }
  bool TooltipsEnabled() const { return tooltipsEnabled_; }
  void EnableTooltips(bool on) { tooltipsEnabled_ = on; }
  bool StrictRedraw() const { return strictRedraw_; }
  void SetStrictRedraw(bool on) { strictRedraw_ = on; }
  bool ShowControlBounds() const { return showControlBounds_; }
  void SetShowControlBounds(bool on) { showControlBounds_ = on; }
  bool AcceptFileDrops() const { return acceptFileDrops_; }
  void SetAcceptFileDrops(bool on) { acceptFileDrops_ = on; }
  bool TimerRedraw() const { return timerRedraw_; }
  void SetTimerRedraw(bool on) { timerRedraw_ = on; }
  const PixelRect& AlwaysDirtyRect() const { return alwaysDirty_; }
  void SetAlwaysDirtyRect(const PixelRect& r) { alwaysDirty_ = r; }

  // Look of pop-up lists made without their own style and colours.
  const TextStyle& PopupTextStyle() const { return popupTextStyle_; }
  const ArgbColor& PopupBackgroundColor() const { return popupBackground_; }
  const ArgbColor& PopupFrameColor() const { return popupFrame_; }

  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

protected:
  // The window system's part of a scale change: the draw bitmap already has the new size.
  virtual void WindowScaleChanged() {}
  void DeleteAllControls();
  void ResizeDrawBitmap(int width, int height);

private:
  // Applies the effective factor; true when it changed.
  bool ApplyScale();
  // The bitmap that draws ref at the current scale.
  RasterBitmap* ArtFor(const BitmapRef& ref);
  void PaintStrict(const PixelRect& updateRect);
  void PaintLoose();
  void PaintBoundsOverlay();
  void CaptureAt(int idx, int x, int y);
  void ForgetCapture();
  void BeginEdit(IControl* control);
  void EndEdit(IControl* control);

  IEffectBase* plug_;
  bool mouseOverEnabled_ = false;
  TextStyle popupTextStyle_;
  ArgbColor popupBackground_;
  ArgbColor popupFrame_;
  int hoveredControl_ = -1;
  IControl* popupControl_ = nullptr;
  std::vector<IControl*> controls_;
  PixelRect drawRect_;
  std::unique_ptr<RasterSysBitmap> drawBitmap_;
  // Bitmaps this editor made and nobody else can look up (the right parts of split images).
  std::vector<std::unique_ptr<RasterBitmap>> ownedBitmaps_;
  PixelRect alwaysDirty_;
  int width_;
  int height_;
  int frameRate_;
  int nextBitmapKey_ = -1;
  int capturedControl_ = -1;
  int mouseX_ = 0;
  int mouseY_ = 0;
  bool tooltipsEnabled_ = false;
  bool strictRedraw_ = true;
  bool showControlBounds_ = false;
  bool acceptFileDrops_ = false;
  bool timerRedraw_ = true;
  int wheelGestureTicks_ = 0;
  EditorScale scale_;
  double contentScale_ = 1.0;
  bool hostGaveScale_ = false;
  int chosenScale_ = 0;
  ScaledArt art_;
};

}  // namespace quivorant
