#include "recognition/character_model.h"

#include "recognition/character_painter.h"

#include <algorithm>

namespace orvane::recognition {

namespace {

// The side of the candidates' drawings: twice the normalised image, which averages them down.
constexpr int kDrawingSide = 64;

template <size_t kSize>
void Put(const std::array<float, kSize>& values, std::vector<float>& into, size_t index) {
  std::copy(values.begin(), values.end(),
            into.begin() + static_cast<std::ptrdiff_t>(index * kSize));
}

}  // namespace

void CharacterModel::Add(size_t index, const InkImage& drawing) {
  const int side = std::max(width_, height_);
  const GlyphFeatures moments = Describe(drawing, Normalisation::kMoments, side);
  const GlyphFeatures box = Describe(drawing, Normalisation::kBox, side);
  Put(moments.coarse, coarse_, index);
  Put(moments.fine, moments_, index);
  Put(box.fine, box_, index);
  places_[index] = moments.place;
}

std::optional<CharacterModel> CharacterModel::Build(const QString& family, int width, int height,
                                                    const CandidateSet& set,
                                                    const std::stop_token& stop,
                                                    const Progress& progress) {
  CharacterModel model;
  model.family_ = family;
  model.width_ = width;
  model.height_ = height;
  model.limited_ = set.limited;
  model.characters_ = set.characters;
  const size_t count = set.characters.size();
  model.coarse_.resize(count * kCoarseSize);
  model.moments_.resize(count * kFineSize);
  model.box_.resize(count * kFineSize);
  model.places_.resize(count);
  const int longer = std::max(width, height);
  CharacterPainter painter(family, kDrawingSide * width / longer, kDrawingSide * height / longer,
                           Rendering::kSmooth);
  const auto total = static_cast<qint64>(count);
  for (size_t i = 0; i < count; ++i) {
    if (stop.stop_requested()) return std::nullopt;
    model.Add(i, painter.Draw(set.characters[i]));
    if (progress && (i % 256 == 255 || i + 1 == count)) progress(static_cast<qint64>(i) + 1, total);
  }
  return model;
}

}  // namespace orvane::recognition
