#pragma once

#include "recognition/candidates.h"
#include "recognition/glyph_features.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

namespace orvane::recognition {

using Progress = std::function<void(qint64 done, qint64 total)>;

// The features of every candidate character drawn with one font for glyphs of one size, made
// once and kept for every glyph of that size, in contiguous arrays the comparison runs over.
// Each character is drawn smoothed and large, not at the glyph's size: a clean drawing of the
// design meets a game's small one-bit glyph better than a drawing degraded the same way.
class CharacterModel {
 public:
  // Nothing when stopped. Needs a QGuiApplication; may run on a worker thread.
  [[nodiscard]] static std::optional<CharacterModel> Build(const QString& family, int width,
                                                           int height, const CandidateSet& set,
                                                           const std::stop_token& stop = {},
                                                           const Progress& progress = {});

  [[nodiscard]] const QString& Family() const { return family_; }
  [[nodiscard]] int Width() const { return width_; }
  [[nodiscard]] int Height() const { return height_; }
  // The encoding left out part of JIS X 0208 (see CandidateSet).
  [[nodiscard]] bool Limited() const { return limited_; }
  [[nodiscard]] qsizetype Count() const { return static_cast<qsizetype>(characters_.size()); }
  [[nodiscard]] char16_t CharacterAt(qsizetype index) const { return characters_[At(index)]; }

  // kCoarseSize values a candidate, after moment normalisation.
  [[nodiscard]] std::span<const float> Coarse() const { return coarse_; }
  [[nodiscard]] std::span<const float, kFineSize> Fine(qsizetype index,
                                                       Normalisation normalisation) const {
    const std::vector<float>& fine = normalisation == Normalisation::kBox ? box_ : moments_;
    return std::span<const float, kFineSize>(fine.data() + At(index) * kFineSize, kFineSize);
  }
  [[nodiscard]] const InkPlace& PlaceAt(qsizetype index) const { return places_[At(index)]; }

 private:
  CharacterModel() = default;
  static size_t At(qsizetype index) { return static_cast<size_t>(index); }
  void Add(size_t index, const InkImage& drawing);

  QString family_;
  int width_ = 0;
  int height_ = 0;
  bool limited_ = false;
  std::vector<char16_t> characters_;
  std::vector<float> coarse_;
  std::vector<float> moments_;  // kFineSize a candidate
  std::vector<float> box_;
  std::vector<InkPlace> places_;
};

}  // namespace orvane::recognition
