#include "recognition/ink_image.h"

#include <algorithm>

namespace orvane::recognition {

bool InkImage::HasInk() const {
  return std::any_of(ink.begin(), ink.end(), [](float value) { return value > 0.0F; });
}

InkImage InkOf(const glyphs::GlyphPixels& glyph) {
  InkImage image{glyph.Width(), glyph.Height(), {}};
  image.ink.reserve(static_cast<size_t>(glyph.Width()) * static_cast<size_t>(glyph.Height()));
  for (int y = 0; y < glyph.Height(); ++y) {
    for (int x = 0; x < glyph.Width(); ++x) image.ink.push_back(glyph.IsInk(x, y) ? 1.0F : 0.0F);
  }
  return image;
}

}  // namespace orvane::recognition
