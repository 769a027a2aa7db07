// Test scaffolding for the editor: an off-screen editor whose resources are bitmaps made in
// memory, a probe control that logs every call it receives, and pixel helpers.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "graphics/IGraphicsOffscreen.h"
#include "graphics/controls/IControl.h"
#include "raster/RasterBitmap.h"

namespace quivorant::test {

// Source pattern: red = column, green = row, blue 0x5A, opaque; so a drawn pixel tells which
// source pixel it came from.
RasterBitmap* MakePatternBitmap(int width, int height);
RasterPixel PatternPixel(int x, int y);
RasterBitmap* MakeSolidBitmap(int width, int height, RasterPixel colour);

RasterPixel PixelAt(RasterBitmap* bitmap, int x, int y);
void FillBitmap(RasterBitmap* bitmap, RasterPixel colour);

// A resource number no other test has used (the bitmap cache lives for the whole process).
int FreshKey();

class TestEditor : public IGraphicsOffscreen {
public:
  using IGraphicsOffscreen::IGraphicsOffscreen;

  // Resource key -> bitmap maker; unknown keys load nothing, like a missing resource.
  std::map<int, std::function<RasterBitmap*()>> resources;
  int loads = 0;

  RasterBitmap* LoadBitmapResource(int key, const char*) override {
    ++loads;
    auto it = resources.find(key);
    return it == resources.end() ? nullptr : it->second();
  }
};

// Logs "<name> <event> ..." for every call into a shared journal.
class ProbeControl : public IControl {
public:
  ProbeControl(std::vector<std::string>* journal, const char* name, const PixelRect& rect, IEffectBase* plug = nullptr,
               int paramIdx = -1)
      : IControl(plug, rect, paramIdx), journal_(journal), name_(name) {}

  void OnMouseDown(int x, int y, const MouseModifiers& mods) override {
    Log("down " + std::to_string(x) + " " + std::to_string(y));
    IControl::OnMouseDown(x, y, mods);
  }
  void OnMouseUp(int x, int y, const MouseModifiers&) override {
    Log("up " + std::to_string(x) + " " + std::to_string(y));
  }
  void OnDrop(int, int, const char* path) override { Log(std::string("drop ") + path); }
  void OnMouseDrag(int, int, int dX, int dY, const MouseModifiers&) override {
    Log("drag " + std::to_string(dX) + " " + std::to_string(dY));
  }
  void OnMouseDoubleClick(int, int, const MouseModifiers&) override { Log("dblclick"); }
  void OnMouseWheel(int, int, const MouseModifiers&, int steps) override { Log("wheel " + std::to_string(steps)); }
  void OnKeyDown(int, int, int key) override { Log("key " + std::to_string(key)); }
  void OnMouseOver(int, int, const MouseModifiers&) override { Log("over"); }
  void OnMouseOut() override { Log("out"); }
  void PopupResult(const char* text, int index) override {
    Log(std::string("result '") + text + "' " + std::to_string(index));
  }
  bool Draw(IGraphics*) override {
    Log("draw");
    return true;
  }

private:
  void Log(const std::string& what) { journal_->push_back(name_ + " " + what); }
  std::vector<std::string>* journal_;
  std::string name_;
};

}  // namespace quivorant::test
