// Reads back what a window shows on screen (its client area through its device context), saves
// pixels as a PNG (screenshots of test editors) and reads a PNG file to compare a screen with.
#pragma once

#include "graphics/win/detail/WindowsApi.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quivorant::test {

struct Capture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
  std::uint32_t At(int x, int y) const {
    return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] & 0xFFFFFFu;
  }
};

Capture CaptureClient(HWND window);
bool SavePng(const Capture& capture, const std::string& path);
// Empty (width 0) when the file cannot be read as a PNG.
Capture LoadPng(const std::string& path);
// Each of red, green and blue within tolerance.
bool NearColour(std::uint32_t a, std::uint32_t b, int tolerance = 2);

}  // namespace quivorant::test
