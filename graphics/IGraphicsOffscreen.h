// The editor without a window: used on systems where the editor renders off-screen, by tools
// that save the editor as an image, and by tests. Window operations do nothing; Present copies
// the presented rectangle onto a kept "screen" bitmap, so what a window would show can be read
// back; prompts record what was asked. Tick() plays the part of the window's timer.
#pragma once

#include <memory>
#include <string>

#include "graphics/IGraphics.h"

namespace quivorant {

class RasterMemBitmap;

class IGraphicsOffscreen : public IGraphics {
public:
  IGraphicsOffscreen(IEffectBase* plug, int width, int height, int frameRate = 0);
  ~IGraphicsOffscreen() override;

  bool Present(const PixelRect& rect) override;
  void Resize(int width, int height) override;
  void PromptTextEntry(IControl* control) override;
  void PromptParamEntry(IControl* control, IParamRecord* param, bool compact) override;
  void GetHostDirectory(char* out) override;
  void GetPluginDirectory(char* out) override;
  void PromptForFile(char* fileName, int action, const char* directory, const char* extensions) override;
  bool PromptForColor(ArgbColor* colour, const char* title) override;
  bool OpenUrl(const char* url, const char* title, const char* confirmText, const char* errorText) override;
  void* OpenWindow(void* parent) override;
  void CloseWindow() override;
  void* GetWindow() override { return nullptr; }
  void HideTooltipIfDisabled() override {}
  RasterBitmap* LoadBitmapResource(int key, const char* fileName) override;

  // One timer tick: repaint what is dirty (and the always-redraw rectangle), then advance the
  // wheel gesture countdown. Returns true when something was painted.
  bool Tick();

  // What was presented so far (window size; undefined pixels where nothing was presented yet).
  RasterBitmap* Screen() const;
  int PresentCount() const { return presentCount_; }
  const PixelRect& LastPresented() const { return lastPresented_; }
  int ResourceLoads() const { return resourceLoads_; }

  struct ParamPrompt {
    IControl* control = nullptr;
    IParamRecord* param = nullptr;
    bool compact = false;
    int count = 0;
  };
  const ParamPrompt& LastParamPrompt() const { return paramPrompt_; }

  struct UrlRequest {
    std::string url;
    std::string title;
    std::string confirmText;
    std::string errorText;
    int count = 0;
  };
  const UrlRequest& LastUrlRequest() const { return urlRequest_; }
  // What OpenUrl answers; false by default, since no browser is opened here.
  void SetOpenUrlResult(bool opened) { openUrlResult_ = opened; }

protected:
  void WindowScaleChanged() override;

private:
  std::unique_ptr<RasterMemBitmap> screen_;
  int presentCount_ = 0;
  PixelRect lastPresented_;
  int resourceLoads_ = 0;
  ParamPrompt paramPrompt_;
  IControl* textPrompt_ = nullptr;
  UrlRequest urlRequest_;
  bool openUrlResult_ = false;
};

}  // namespace quivorant
