#pragma once

#include "glyphs/glyph_pixels.h"

#include <vector>

namespace orvane::recognition {

// How much ink covers each pixel of a glyph or a drawn character, 0 to 1, row by row.
struct InkImage {
  int width = 0;
  int height = 0;
  std::vector<float> ink;

  [[nodiscard]] float At(int x, int y) const {
    return ink[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
  [[nodiscard]] bool HasInk() const;
};

// Any colour but 0 is ink.
[[nodiscard]] InkImage InkOf(const glyphs::GlyphPixels& glyph);

}  // namespace orvane::recognition
