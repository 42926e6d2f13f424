#include "kana/romaji.h"

namespace orvane::kana {
namespace {

template <size_t N>
std::optional<quint8> FindTrail(QByteArrayView text, const std::array<std::string_view, N>& romaji,
                                const std::array<quint8, N>& trails) {
  const std::string_view wanted(text.data(), static_cast<size_t>(text.size()));
  for (size_t i = 0; i < N; ++i) {
    if (romaji[i] == wanted) return trails[i];
  }
  return std::nullopt;
}

bool IsVowel(quint8 key) {
  return key == 'a' || key == 'i' || key == 'u' || key == 'e' || key == 'o';
}

}  // namespace

std::optional<QByteArray> KanaForRomaji(QByteArrayView text, InputMode mode) {
  const char lead = LeadByte(mode);
  if (lead == 0) return std::nullopt;
  auto trail = FindTrail(text, RomajiPure, KanaTrailPure);
  if (!trail) trail = FindTrail(text, RomajiImpure, KanaTrailImpure);
  if (!trail) return std::nullopt;
  // Not QByteArray{lead, trail}: that is the (size, fill) constructor.
  QByteArray kana;
  kana.append(lead).append(static_cast<char>(*trail));
  return kana;
}

std::optional<QByteArray> RomajiAfterN(quint8 key) {
  if (!IsVowel(key)) return std::nullopt;
  return QByteArray("n") + static_cast<char>(key);
}

}  // namespace orvane::kana
