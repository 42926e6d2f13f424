#pragma once

#include "glyphs/glyph_format.h"

#include <QByteArrayView>
#include <QtGlobal>

#include <vector>

namespace orvane::glyphs {

// A glyph's colour indices, row by row from the top left; 0 is the background, any other
// colour ink.
class GlyphPixels {
 public:
  GlyphPixels() = default;
  GlyphPixels(int width, int height)
      : width_(width), height_(height), pixels_(static_cast<size_t>(width * height)) {}

  [[nodiscard]] int Width() const { return width_; }
  [[nodiscard]] int Height() const { return height_; }
  [[nodiscard]] quint8 At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, quint8 colour) { pixels_[Index(x, y)] = colour; }
  [[nodiscard]] bool IsInk(int x, int y) const { return At(x, y) != 0; }
  [[nodiscard]] bool HasInk() const;
  friend bool operator==(const GlyphPixels&, const GlyphPixels&) = default;

 private:
  [[nodiscard]] size_t Index(int x, int y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<quint8> pixels_;
};

// The glyph that `bytes` hold in a format CheckFormat takes. Bytes past the end of `bytes` read
// as 0, so the last glyph of a file that stops short shows what there is of it.
[[nodiscard]] GlyphPixels DecodeGlyph(QByteArrayView bytes, const GlyphFormat& format);

}  // namespace orvane::glyphs
