#include "recognition/glyph_features.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace orvane::recognition {

namespace {

constexpr int kSide = 32;  // of the normalised image
constexpr float kMargin = 2;
// The moments' frame spans this many standard deviations of the ink: a little less than all
// of it, so that the body of the character, where typefaces agree most, fills the frame.
constexpr float kMomentSpan = 3.5F;
// Smoothing before the gradient, and each zone's spread as a share of its width: sharp enough
// to tell 薄 from 簿 at 16 pixels, loose enough for a Mincho glyph to meet a Gothic drawing. A
// glyph under 12 pixels gets more, growing as it shrinks: its stair steps are wider than its
// strokes are apart, which a 16- or 12-pixel glyph's are not.
constexpr float kLeastBlur = 0.7F;
constexpr int kSharpFrom = 12;      // pixels high or wide
constexpr float kBlurStep = 0.15F;  // more for each pixel under kSharpFrom
constexpr float kZoneSpread = 0.36F;

// An index into an array of the image's pixels or a kernel, never negative.
size_t Index(int at) { return static_cast<size_t>(at); }

struct Frame {
  float centre_x = 0;
  float centre_y = 0;
  float scale_x = 1;  // normalised pixels per source pixel
  float scale_y = 1;
};

struct Moments {
  float total = 0, centre_x = 0, centre_y = 0, spread_x = 0, spread_y = 0;
  float left = 0, top = 0, right = 0, bottom = 0;  // ink's box, pixel edges
};

Moments Measure(const InkImage& image) {
  Moments m;
  double sx = 0, sy = 0, sxx = 0, syy = 0, total = 0;
  int left = image.width, top = image.height, right = -1, bottom = -1;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const double ink = image.At(x, y);
      if (ink <= 0) continue;
      total += ink;
      sx += ink * (x + 0.5);
      sy += ink * (y + 0.5);
      sxx += ink * (x + 0.5) * (x + 0.5);
      syy += ink * (y + 0.5) * (y + 0.5);
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (total <= 0) return m;
  m.total = static_cast<float>(total);
  m.centre_x = static_cast<float>(sx / total);
  m.centre_y = static_cast<float>(sy / total);
  m.spread_x = static_cast<float>(std::sqrt(std::max(0.0, sxx / total - sx * sx / total / total)));
  m.spread_y = static_cast<float>(std::sqrt(std::max(0.0, syy / total - sy * sy / total / total)));
  m.left = static_cast<float>(left);
  m.top = static_cast<float>(top);
  m.right = static_cast<float>(right + 1);
  m.bottom = static_cast<float>(bottom + 1);
  return m;
}

// Sizes keep part of their aspect: a tall narrow glyph stays narrower than a square one.
Frame FrameOf(const Moments& m, Normalisation normalisation) {
  float width = m.right - m.left;
  float height = m.bottom - m.top;
  Frame frame{(m.left + m.right) / 2, (m.top + m.bottom) / 2, 1, 1};
  if (normalisation == Normalisation::kMoments) {
    width = kMomentSpan * std::max(m.spread_x, 0.5F);
    height = kMomentSpan * std::max(m.spread_y, 0.5F);
    frame.centre_x = m.centre_x;
    frame.centre_y = m.centre_y;
  }
  width = std::max(width, 1.0F);
  height = std::max(height, 1.0F);
  const float ratio = std::min(width, height) / std::max(width, height);
  const float kept = std::sqrt(std::sin(std::numbers::pi_v<float> / 2 * ratio));
  const float span = kSide - 2 * kMargin;
  const float long_scale = span / std::max(width, height);
  const float short_scale = span * kept / std::min(width, height);
  frame.scale_x = width >= height ? long_scale : short_scale;
  frame.scale_y = width >= height ? short_scale : long_scale;
  return frame;
}

float Sample(const InkImage& image, float x, float y) {
  const auto x0 = static_cast<int>(std::floor(x));
  const auto y0 = static_cast<int>(std::floor(y));
  const float fx = x - static_cast<float>(x0);
  const float fy = y - static_cast<float>(y0);
  auto at = [&](int px, int py) {
    if (px < 0 || py < 0 || px >= image.width || py >= image.height) return 0.0F;
    return image.At(px, py);
  };
  return (at(x0, y0) * (1 - fx) + at(x0 + 1, y0) * fx) * (1 - fy) +
         (at(x0, y0 + 1) * (1 - fx) + at(x0 + 1, y0 + 1) * fx) * fy;
}

using Plane = std::array<float, size_t{kSide} * kSide>;

// The source coordinate of sub-sample `sub` of `steps` across normalised pixel `at`.
float SourceAt(int at, int sub, int steps, float centre, float scale) {
  const float offset = (static_cast<float>(sub) + 0.5F) / static_cast<float>(steps);
  return centre + (static_cast<float>(at) + offset - kSide / 2.0F) / scale - 0.5F;
}

// Each normalised pixel averages the source over its footprint, so that a drawing larger than
// the normalised image keeps its thin strokes.
Plane Normalise(const InkImage& image, const Frame& frame) {
  Plane plane{};
  const int steps_x = std::max(1, static_cast<int>(std::ceil(1 / frame.scale_x)));
  const int steps_y = std::max(1, static_cast<int>(std::ceil(1 / frame.scale_y)));
  const float weight = 1.0F / static_cast<float>(steps_x * steps_y);
  for (int v = 0; v < kSide; ++v) {
    for (int u = 0; u < kSide; ++u) {
      float sum = 0;
      for (int sy = 0; sy < steps_y; ++sy) {
        const float y = SourceAt(v, sy, steps_y, frame.centre_y, frame.scale_y);
        for (int sx = 0; sx < steps_x; ++sx) {
          sum += Sample(image, SourceAt(u, sx, steps_x, frame.centre_x, frame.scale_x), y);
        }
      }
      plane[Index(v * kSide + u)] = sum * weight;
    }
  }
  return plane;
}

constexpr int kBlurReach = 3;  // pixels each way: over 2 sigmas of the most blur
using BlurKernel = std::array<float, 2 * kBlurReach + 1>;

// The blur for glyphs `glyph_side` pixels high or wide, in normalised pixels.
BlurKernel KernelFor(int glyph_side) {
  const float sigma =
      std::min(kLeastBlur + kBlurStep * static_cast<float>(std::max(kSharpFrom - glyph_side, 0)),
               kBlurReach / 2.0F);
  BlurKernel kernel{};
  float total = 0;
  for (int i = -kBlurReach; i <= kBlurReach; ++i) {
    const auto weight = std::exp(-static_cast<float>(i * i) / (2 * sigma * sigma));
    kernel[Index(i + kBlurReach)] = weight;
    total += weight;
  }
  for (float& weight : kernel) weight /= total;
  return kernel;
}

// A Gaussian blur along one axis; `step` is 1 for rows, kSide for columns.
Plane BlurAlong(const Plane& plane, const BlurKernel& kernel, int step) {
  Plane blurred{};
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const int along = step == 1 ? x : y;
      float sum = 0;
      for (int i = std::max(-kBlurReach, -along); i <= kBlurReach && along + i < kSide; ++i) {
        sum += kernel[Index(i + kBlurReach)] * plane[Index(y * kSide + x + i * step)];
      }
      blurred[Index(y * kSide + x)] = sum;
    }
  }
  return blurred;
}

void Blur(Plane& plane, int glyph_side) {
  const BlurKernel kernel = KernelFor(glyph_side);
  plane = BlurAlong(BlurAlong(plane, kernel, 1), kernel, kSide);
}

// The weight of image row or column i in each zone: overlapping Gaussians, zones innermost so
// that the pooling loops run over contiguous zones.
using ZoneWeights = std::array<std::array<float, kZones>, kSide>;

ZoneWeights MakeZoneWeights() {
  ZoneWeights weights{};
  const float width = static_cast<float>(kSide) / kZones;
  const float sigma = width * kZoneSpread;
  for (int i = 0; i < kSide; ++i) {
    for (int zone = 0; zone < kZones; ++zone) {
      const float d = static_cast<float>(i) + 0.5F - (static_cast<float>(zone) + 0.5F) * width;
      weights[static_cast<size_t>(i)][static_cast<size_t>(zone)] =
          std::exp(-d * d / (2 * sigma * sigma));
    }
  }
  return weights;
}

// Per direction, each image row's gradients summed into the zones across: the first half of
// the separable zone pooling, done as the gradients are found, since each pixel adds to only two
// of the 8 directions.
using DirectionRows = std::array<std::array<std::array<float, kZones>, kSide>, kDirections>;

void AddToRow(std::array<float, kZones>& row, const std::array<float, kZones>& weights,
              float value) {
  for (size_t zone = 0; zone < kZones; ++zone) row[zone] += value * weights[zone];
}

// A gradient split between the two of 8 directions 45° apart that enclose it, so that the two
// parts add up to it as vectors.
void AddGradient(DirectionRows& rows, size_t x, size_t y, float gx, float gy) {
  static const ZoneWeights weights = MakeZoneWeights();
  constexpr float kRoot2 = std::numbers::sqrt2_v<float>;
  const float ax = std::abs(gx);
  const float ay = std::abs(gy);
  // The octant counted from +x towards +y, in image coordinates (y down).
  size_t octant = 0;
  float straight = 0;
  float diagonal = 0;
  if (ax >= ay) {
    straight = ax - ay;
    diagonal = ay * kRoot2;
    octant = gx >= 0 ? (gy >= 0 ? 0 : 7) : (gy >= 0 ? 3 : 4);
  } else {
    straight = ay - ax;
    diagonal = ax * kRoot2;
    octant = gy >= 0 ? (gx >= 0 ? 1 : 2) : (gx >= 0 ? 6 : 5);
  }
  // Octant k lies between directions k and k + 1; even octants start on an axis.
  const bool from_axis = octant % 2 == 0;
  AddToRow(rows[octant][y], weights[x], from_axis ? straight : diagonal);
  AddToRow(rows[(octant + 1) % kDirections][y], weights[x], from_axis ? diagonal : straight);
}

DirectionRows Directions(const Plane& image) {
  // The image with its edge pixels repeated one pixel out, so that Sobel needs no bounds.
  constexpr int kPadded = kSide + 2;
  std::array<float, size_t{kPadded} * kPadded> padded{};
  for (int y = 0; y < kPadded; ++y) {
    const int from_y = std::clamp(y - 1, 0, kSide - 1);
    for (int x = 0; x < kPadded; ++x) {
      padded[Index(y * kPadded + x)] =
          image[Index(from_y * kSide + std::clamp(x - 1, 0, kSide - 1))];
    }
  }
  DirectionRows rows{};
  for (int y = 0; y < kSide; ++y) {
    const float* above = padded.data() + Index(y * kPadded + 1);
    const float* here = above + kPadded;
    const float* below = here + kPadded;
    for (int x = 0; x < kSide; ++x) {
      const float gx = above[x + 1] + 2 * here[x + 1] + below[x + 1] - above[x - 1] -
                       2 * here[x - 1] - below[x - 1];
      const float gy =
          below[x - 1] + 2 * below[x] + below[x + 1] - above[x - 1] - 2 * above[x] - above[x + 1];
      if (gx != 0 || gy != 0) {
        AddGradient(rows, static_cast<size_t>(x), static_cast<size_t>(y), gx, gy);
      }
    }
  }
  return rows;
}

// The second half of the pooling: zones row by row, directions one after another; and the 2×2
// blocks of those zones for the coarse features.
void Pool(const DirectionRows& rows, GlyphFeatures& features) {
  static const ZoneWeights weights = MakeZoneWeights();
  size_t at = 0;
  size_t coarse_at = 0;
  for (const auto& direction : rows) {
    std::array<std::array<float, kZones>, kZones> zones{};
    for (size_t y = 0; y < kSide; ++y) {
      for (size_t zone_y = 0; zone_y < kZones; ++zone_y) {
        AddToRow(zones[zone_y], direction[y], weights[y][zone_y]);
      }
    }
    for (const auto& zone_row : zones) {
      for (const float zone : zone_row) features.fine[at++] = zone;
    }
    for (size_t zone_y = 0; zone_y < kZones; zone_y += 2) {
      for (size_t zone_x = 0; zone_x < kZones; zone_x += 2) {
        features.coarse[coarse_at++] = zones[zone_y][zone_x] + zones[zone_y][zone_x + 1] +
                                       zones[zone_y + 1][zone_x] + zones[zone_y + 1][zone_x + 1];
      }
    }
  }
}

template <size_t kSize>
void RootAndScale(std::array<float, kSize>& values) {
  float sum = 0;
  for (float& value : values) {
    value = std::sqrt(std::max(value, 0.0F));
    sum += value * value;
  }
  if (sum <= 0) return;
  const float scale = 1 / std::sqrt(sum);
  for (float& value : values) value *= scale;
}

}  // namespace

GlyphFeatures Describe(const InkImage& image, Normalisation normalisation, int glyph_side) {
  GlyphFeatures features;
  const Moments moments = Measure(image);
  if (moments.total <= 0) return features;
  features.place = {moments.left / static_cast<float>(image.width),
                    moments.top / static_cast<float>(image.height),
                    moments.right / static_cast<float>(image.width),
                    moments.bottom / static_cast<float>(image.height)};
  Plane plane = Normalise(image, FrameOf(moments, normalisation));
  Blur(plane, glyph_side);
  Pool(Directions(plane), features);
  RootAndScale(features.fine);
  RootAndScale(features.coarse);
  return features;
}

}  // namespace orvane::recognition
