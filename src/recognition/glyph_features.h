#pragma once

#include "recognition/ink_image.h"

#include <array>

namespace orvane::recognition {

inline constexpr int kDirections = 8;
inline constexpr int kZones = 8;
inline constexpr int kCoarseZones = kZones / 2;
inline constexpr int kFineSize = kDirections * kZones * kZones;
inline constexpr int kCoarseSize = kDirections * kCoarseZones * kCoarseZones;

// How a glyph is brought to one size before its strokes are measured: its ink's bounding box,
// or its ink's centre and spread (moments), which a stray pixel or a long tail moves less.
enum class Normalisation { kBox, kMoments };

// Where the ink lies in the glyph's cell, as shares of its width and height: what a size
// normalisation forgets (a small kana, a dash beside a kanji one).
struct InkPlace {
  float left = 0;
  float top = 0;
  float right = 0;
  float bottom = 0;
};

// The directions of a glyph's contours in 8 directions over 8×8 overlapping zones of its
// normalised image, after a square root, at unit length; and the same over 4×4 zones for a
// quick first comparison. Two glyphs of one character drawn in different typefaces lie close.
struct GlyphFeatures {
  std::array<float, kFineSize> fine{};
  std::array<float, kCoarseSize> coarse{};
  InkPlace place;
};

// An image with no ink gives zero features. `glyph_side`, the longer side of the glyphs compared,
// sets the smoothing; a candidate drawn larger is described for the glyphs' size.
[[nodiscard]] GlyphFeatures Describe(const InkImage& image, Normalisation normalisation,
                                     int glyph_side);

}  // namespace orvane::recognition
