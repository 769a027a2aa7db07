// The editor view a VST3 host embeds. The editor itself lives as long as the instance; a view
// only opens and closes the editor's window inside the parent window the host gives, and passes
// size requests between the instance and the host's frame.
//
// Walkthrough, as a host drives it (user-interface thread only):
//   createView ("editor")     a new view, listed in the instance's views; holds the instance
//   setFrame (frame)          the frame that answers resize requests
//   isPlatformTypeSupported   the editor's window type: "HWND" on Windows, "X11EmbedWindowID"
//                             on Linux with X11, none where the editor has no window
//   attached (parent, type)   the editor window opens as a child of parent; EditorOpened. An
//                             X11 window's events and timer then run on the host's run loop
//                             (from the frame, or the host context the instance was given)
//   onSize (rect)             after the instance asked the frame: EditorResized
//   setContentScaleFactor     the host's scale; a new size is asked of the frame once
//   removed ()                EditorClosing; off the run loop; the editor window closes
//   release                   leaves the instance's views, releases the instance
//
// Several views of one instance may exist; they share the one editor window, so a view closes it
// only while the window is the one it opened.
#pragma once

#include "vst3/sdk/helpers/pluginview.h"
#include "vst3/sdk/interfaces/ilinuxrunloop.h"
#include "vst3/sdk/interfaces/vsttypes.h"

namespace quivorant {

class EditorRunLoop;
class IEffectVST3;

class IEffectVST3View : public Steinberg::CPluginView, public Steinberg::IViewContentScaleSupport {
public:
  // Adds a reference to effect for the view's lifetime.
  explicit IEffectVST3View(IEffectVST3* effect);
  ~IEffectVST3View() override;

  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID queryIid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return CPluginView::addRef(); }
  Steinberg::uint32 PLUGIN_API release() override { return CPluginView::release(); }
  Steinberg::tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) override;

  Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) override;
  Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) override;
  Steinberg::tresult PLUGIN_API removed() override;
  Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) override;
  Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) override;

  // The instance asks the host's frame to resize this view to width x height; the host's
  // answering onSize then tells the effect. False when the view has no frame or the frame
  // refused.
  bool RequestResize(int width, int height);
  bool ResizeRequested() const { return resizeRequested_; }
  // True from a successful attached to removed (or the view's end).
  bool EditorOpen() const { return window_ != nullptr; }

private:
  void CloseEditor();
  void StopRunLoop();
  bool SupportsType(Steinberg::FIDString type) const;
  // The host's run loop, from the frame or else the instance's host context; null when neither
  // lends one. The caller releases it.
  Steinberg::Linux::IRunLoop* FindRunLoop() const;

  IEffectVST3* effect_;
  bool resizeRequested_ = false;
  // The editor window this view opened; another view's attached may have replaced it since.
  void* window_ = nullptr;
  // The editor's events and timer on the host's run loop while attached (window systems whose
  // events are not delivered through a window procedure).
  EditorRunLoop* runLoop_ = nullptr;
};

}  // namespace quivorant
