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
constexpr int kShortList = 400;
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

ORVANE_VECTOR_CLONES void CoarseCloseness(const float* coarse, const float* glyph, int count,
                                          float* closeness) {
  for (int i = 0; i < count; ++i) {
    closeness[i] = Dot(coarse + static_cast<ptrdiff_t>(i) * kCoarseSize, glyph, kCoarseSize);
  }
}

std::vector<int> ShortList(const CharacterModel& model, const GlyphFeatures& features) {
  const auto count = static_cast<int>(model.Count());
  std::vector<float> closeness(static_cast<size_t>(count));
  CoarseCloseness(model.Coarse().data(), features.coarse.data(), count, closeness.data());
  std::vector<int> order(static_cast<size_t>(count));
  std::iota(order.begin(), order.end(), 0);
  const int kept = std::min(count, kShortList);
  std::nth_element(order.begin(), order.begin() + kept, order.end(), [&](int a, int b) {
    return closeness[static_cast<size_t>(a)] > closeness[static_cast<size_t>(b)];
  });
  order.resize(static_cast<size_t>(kept));
  return order;
}

}  // namespace

Recognition Recognise(const CharacterModel& model, const glyphs::GlyphPixels& glyph, int top) {
  Recognition result;
  const InkImage image = InkOf(glyph);
  if (!image.HasInk()) return result;
  result.has_ink = true;
  const GlyphFeatures moments = Describe(image, Normalisation::kMoments);
  const GlyphFeatures box = Describe(image, Normalisation::kBox);
  std::vector<Match> matches;
  for (const int index : ShortList(model, moments)) {
    const float closeness =
        kMomentsWeight *
            Dot(model.Fine(index, Normalisation::kMoments).data(), moments.fine.data(), kFineSize) +
        (1 - kMomentsWeight) *
            Dot(model.Fine(index, Normalisation::kBox).data(), box.fine.data(), kFineSize) -
        kPlaceWeight * PlacePenalty(model.PlaceAt(index), moments.place);
    matches.push_back({model.CharacterAt(index), std::clamp(closeness, 0.0F, 1.0F)});
  }
  const auto kept = std::min(matches.size(), static_cast<size_t>(std::max(top, 0)));
  std::partial_sort(matches.begin(), matches.begin() + static_cast<std::ptrdiff_t>(kept),
                    matches.end(), [](const Match& a, const Match& b) {
                      return a.score != b.score ? a.score > b.score : a.character < b.character;
                    });
  matches.resize(kept);
  result.best = std::move(matches);
  return result;
}

std::optional<std::vector<Recognition>> RecogniseAll(const CharacterModel& model,
                                                     std::span<const glyphs::GlyphPixels> glyphs,
                                                     int top, const std::stop_token& stop,
                                                     const Progress& progress) {
  std::vector<Recognition> results;
  results.reserve(glyphs.size());
  const auto total = static_cast<qint64>(glyphs.size());
  for (const glyphs::GlyphPixels& glyph : glyphs) {
    if (stop.stop_requested()) return std::nullopt;
    results.push_back(Recognise(model, glyph, top));
    const auto done = static_cast<qint64>(results.size());
    if (progress && (done % 64 == 0 || done == total)) progress(done, total);
  }
  return results;
}

}  // namespace orvane::recognition
