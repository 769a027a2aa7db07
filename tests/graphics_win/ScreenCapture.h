// Reads back what a window shows on screen (its client area through its device context) and
// saves pixels as a PNG, for the screenshot of the test editor.
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
  std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] & 0xFFFFFFu; }
};

Capture CaptureClient(HWND window);
bool SavePng(const Capture& capture, const std::string& path);

}  // namespace quivorant::test
