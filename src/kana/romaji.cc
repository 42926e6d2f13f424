#include "kana/romaji.h"

#include "model/table_document.h"

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

void AppendTypedCharacter(model::TableDocument& document, quint8 code, InputMode mode, quint8 key) {
  const QByteArray before = document.GetCellText(code);
  const QByteArray typed = before + static_cast<char>(key);
  document.SetCellText(code, typed);
  document.SetModified(true);
  if (mode == InputMode::kAscii) return;
  std::optional<QByteArray> kana = KanaForRomaji(typed, mode);
  if (!kana && IsVowel(key) && before == KanaForRomaji("n", mode)) {
    kana = KanaForRomaji(QByteArray("n") + static_cast<char>(key), mode);
  }
  if (kana) document.SetCellText(code, *kana);
}

}  // namespace orvane::kana
