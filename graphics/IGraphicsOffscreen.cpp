#include "graphics/IGraphicsOffscreen.h"

#include <cstring>

#include "graphics/controls/IControl.h"
#include "platform/ModuleInfo.h"
#include "raster/RasterBlit.h"
#include "raster/RasterMemBitmap.h"
#include "raster/RasterPng.h"
#include "raster/RasterSysBitmap.h"

namespace quivorant {

namespace {

void CopyText(char* out, const std::string& text) {
  if (!out) return;
  std::strncpy(out, text.c_str(), IGraphics::kPathCapacity - 1);
  out[IGraphics::kPathCapacity - 1] = '\0';
}

std::string OrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

IGraphicsOffscreen::IGraphicsOffscreen(IEffectBase* plug, int width, int height, int frameRate)
    : IGraphics(plug, width, height, frameRate), screen_(std::make_unique<RasterMemBitmap>(width, height, 4)) {}

IGraphicsOffscreen::~IGraphicsOffscreen() { CloseWindow(); }

bool IGraphicsOffscreen::Present(const PixelRect& rect) {
  RasterSysBitmap* draw = DrawBitmapSurface();
  if (!draw) return false;
  RasterBlit(screen_.get(), draw, rect.left, rect.top, rect.left, rect.top, rect.Width(), rect.Height(), 1.0f,
             kRasterCopy);
  ++presentCount_;
  lastPresented_ = rect;
  return true;
}

void IGraphicsOffscreen::Resize(int width, int height) {
  IGraphics::Resize(width, height);
  ResizeDrawBitmap(WindowWidth(), WindowHeight());
  screen_->SetSize(WindowWidth(), WindowHeight());
}

void IGraphicsOffscreen::WindowScaleChanged() { screen_->SetSize(WindowWidth(), WindowHeight()); }

void IGraphicsOffscreen::PromptTextEntry(IControl* control) { textPrompt_ = control; }

void IGraphicsOffscreen::PromptParamEntry(IControl* control, IParamRecord* param, bool compact) {
  if (!control || !param) return;
  paramPrompt_.control = control;
  paramPrompt_.param = param;
  paramPrompt_.compact = compact;
  ++paramPrompt_.count;
}

void IGraphicsOffscreen::GetHostDirectory(char* out) { CopyText(out, ""); }

void IGraphicsOffscreen::GetPluginDirectory(char* out) {
  const std::string dir = ThisModuleDirectory();
  CopyText(out, dir.empty() ? dir : dir + "/");
}

void IGraphicsOffscreen::PromptForFile(char* fileName, int, const char*, const char*) {
  // No window, no dialog: the answer is "nothing chosen".
  if (fileName) fileName[0] = '\0';
}

bool IGraphicsOffscreen::PromptForColor(ArgbColor*, const char*) { return false; }

bool IGraphicsOffscreen::OpenUrl(const char* url, const char* title, const char* confirmText, const char* errorText) {
  urlRequest_.url = OrEmpty(url);
  urlRequest_.title = OrEmpty(title);
  urlRequest_.confirmText = OrEmpty(confirmText);
  urlRequest_.errorText = OrEmpty(errorText);
  ++urlRequest_.count;
  return openUrlResult_;
}

void* IGraphicsOffscreen::OpenWindow(void*) { return nullptr; }

void IGraphicsOffscreen::CloseWindow() {}

RasterBitmap* IGraphicsOffscreen::LoadBitmapResource(int key, const char*) {
  ++resourceLoads_;
  return RasterLoadPngResource(nullptr, key, nullptr);
}

bool IGraphicsOffscreen::Tick() {
  CatchUpWithCore();
  bool painted = false;
  PixelRect dirty;
  if (TimerRedraw() && CollectDirtyRect(&dirty)) painted = Paint(dirty) || painted;
  if (AlwaysDirtyRect().Width() > 0) painted = Paint(AlwaysDirtyRect()) || painted;
  AdvanceWheelGestureCountdown();
  return painted;
}

RasterBitmap* IGraphicsOffscreen::Screen() const { return screen_.get(); }

}  // namespace quivorant
