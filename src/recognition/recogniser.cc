#include "recognition/recogniser.h"

#include "recognition/vector_clones.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace orvane::recognition {

namespace {

// Candidates the quick comparison keeps for the fine one: enough that the right character is
// almost never lost, few enough that the fine comparison costs less than the quick one.
constexpr int kShortList = 200;
// The fine comparison weighs the moment-normalised features most: they match across typefaces
// best; the box-normalised ones settle some near ties.
constexpr float kMomentsWeight = 0.7F;
constexpr float kPlaceWeight = 0.5F;
// How far, as a share of the cell, typefaces place the same character's ink apart.
constexpr float kPlaceSlack = 0.12F;

// In lanes, so that the compiler can use vector instructions without reordering a float sum.
constexpr int kLanes = 16;
static_assert(kCoarseSize % kLanes == 0 && kFineSize % kLanes == 0);

inline float Dot(const float* a, const float* b, int size) {
  std::array<float, kLanes> lanes{};
  for (int i = 0; i < size; i += kLanes) {
    for (int lane = 0; lane < kLanes; ++lane) lanes[lane] += a[i + lane] * b[i + lane];
  }
  float sum = 0;
  for (const float lane : lanes) sum += lane;
  return sum;
}

float PlacePenalty(const InkPlace& a, const InkPlace& b) {
  const std::array<float, 4> differences = {a.left - b.left, a.top - b.top, a.right - b.right,
                                            a.bottom - b.bottom};
  float penalty = 0;
  for (const float d : differences) penalty += std::max(0.0F, std::abs(d) - kPlaceSlack);
  return penalty;
}

// Glyphs compared together with each candidate's coarse features, which are read once for all
// of them: the candidates' features are larger than a core's cache, the glyphs' are not.
constexpr int kBatch = 16;

struct Described {
  bool has_ink = false;
  GlyphFeatures moments;
  GlyphFeatures box;
};

Described Describe(const glyphs::GlyphPixels& glyph) {
  const InkImage image = InkOf(glyph);
  if (!image.HasInk()) return {};
  const int side = std::max(glyph.Width(), glyph.Height());
  return {true, Describe(image, Normalisation::kMoments, side),
          Describe(image, Normalisation::kBox, side)};
}

// closeness[g * count + i]: glyph g's coarse features against candidate i's.
ORVANE_VECTOR_CLONES void CoarseCloseness(const float* coarse, int count,
                                          std::span<const Described> glyphs, float* closeness) {
  for (int i = 0; i < count; ++i) {
    const float* candidate = coarse + static_cast<ptrdiff_t>(i) * kCoarseSize;
    for (size_t g = 0; g < glyphs.size(); ++g) {
      closeness[static_cast<ptrdiff_t>(g) * count + i] =
          Dot(candidate, glyphs[g].moments.coarse.data(), kCoarseSize);
    }
  }
}

std::vector<int> ShortList(std::span<const float> closeness) {
  std::vector<int> order(closeness.size());
  std::iota(order.begin(), order.end(), 0);
  const auto kept = std::min(static_cast<std::ptrdiff_t>(order.size()), std::ptrdiff_t{kShortList});
  std::nth_element(order.begin(), order.begin() + kept, order.end(), [&](int a, int b) {
    return closeness[static_cast<size_t>(a)] > closeness[static_cast<size_t>(b)];
  });
  order.resize(static_cast<size_t>(kept));
  return order;
}

// The fine comparison of the short list, best first.
std::vector<Match> Rank(const CharacterModel& model, const Described& glyph,
                        std::span<const float> closeness, int top) {
  std::vector<Match> matches;
  for (const int index : ShortList(closeness)) {
    const float fine = kMomentsWeight * Dot(model.Fine(index, Normalisation::kMoments).data(),
                                            glyph.moments.fine.data(), kFineSize) +
                       (1 - kMomentsWeight) * Dot(model.Fine(index, Normalisation::kBox).data(),
                                                  glyph.box.fine.data(), kFineSize) -
                       kPlaceWeight * PlacePenalty(model.PlaceAt(index), glyph.moments.place);
    matches.push_back({model.CharacterAt(index), std::clamp(fine, 0.0F, 1.0F)});
  }
  const auto kept = std::min(matches.size(), static_cast<size_t>(std::max(top, 0)));
  std::partial_sort(matches.begin(), matches.begin() + static_cast<std::ptrdiff_t>(kept),
                    matches.end(), [](const Match& a, const Match& b) {
                      return a.score != b.score ? a.score > b.score : a.character < b.character;
                    });
  matches.resize(kept);
  return matches;
}

void RecogniseBatch(const CharacterModel& model, std::span<const glyphs::GlyphPixels> batch,
                    int top, std::vector<Recognition>& results) {
  std::vector<Described> described;
  described.reserve(batch.size());
  for (const glyphs::GlyphPixels& glyph : batch) described.push_back(Describe(glyph));
  const auto count = static_cast<size_t>(model.Count());
  std::vector<float> closeness(count * described.size());
  CoarseCloseness(model.Coarse().data(), static_cast<int>(count), described, closeness.data());
  for (size_t g = 0; g < described.size(); ++g) {
    Recognition& result = results.emplace_back();
    if (!described[g].has_ink) continue;
    result.has_ink = true;
    result.best =
        Rank(model, described[g], std::span<const float>(closeness).subspan(g * count, count), top);
  }
}

}  // namespace

Recognition Recognise(const CharacterModel& model, const glyphs::GlyphPixels& glyph, int top) {
  std::vector<Recognition> results;
  RecogniseBatch(model, std::span<const glyphs::GlyphPixels>(&glyph, 1), top, results);
  return std::move(results.front());
}

std::optional<std::vector<Recognition>> RecogniseAll(const CharacterModel& model,
                                                     std::span<const glyphs::GlyphPixels> glyphs,
                                                     int top, const std::stop_token& stop,
                                                     const Progress& progress) {
  std::vector<Recognition> results;
  results.reserve(glyphs.size());
  const auto total = static_cast<qint64>(glyphs.size());
  for (size_t at = 0; at < glyphs.size(); at += kBatch) {
    if (stop.stop_requested()) return std::nullopt;
    RecogniseBatch(model, glyphs.subspan(at, std::min<size_t>(kBatch, glyphs.size() - at)), top,
                   results);
    if (progress) progress(static_cast<qint64>(results.size()), total);
  }
  return results;
}

}  // namespace orvane::recognition
