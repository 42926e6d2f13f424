#include "recognition/candidates.h"

#include "text/code_tables.h"
#include "text/codec.h"

#include <QString>

namespace orvane::recognition {

namespace {

// Rows 9..15 and 85..94 hold no JIS X 0208 character; Qt's EUC-JP reads vendors' rows there.
bool IsJisRow(int row) { return (row >= 1 && row <= 8) || (row >= 16 && row <= 84); }

bool Holds(text::Encoding encoding, char16_t character) {
  return text::EncodeText(QStringView(&character, 1), encoding).has_value();
}

}  // namespace

const std::vector<char16_t>& JisCells() {
  static const std::vector<char16_t> cells = [] {
    std::vector<char16_t> all;
    all.reserve(static_cast<size_t>(kJisCellsPerRow) * kJisCellsPerRow);
    const auto& tables = text::CodeTables::Get();
    for (int row = 1; row <= kJisCellsPerRow; ++row) {
      for (int cell = 1; cell <= kJisCellsPerRow; ++cell) {
        const char pair[2] = {static_cast<char>(0xA0 + row), static_cast<char>(0xA0 + cell)};
        const text::CharacterAt read = tables.EucJpAt(QByteArrayView(pair, 2), 0);
        all.push_back(IsJisRow(row) && read.size == 2 ? read.character : char16_t{0});
      }
    }
    return all;
  }();
  return cells;
}

CandidateSet CandidatesFor(text::Encoding encoding) {
  CandidateSet set;
  std::vector<bool> taken(0x10000);
  auto take = [&](char16_t character) {
    if (taken[character]) return;
    taken[character] = true;
    set.characters.push_back(character);
  };
  for (char16_t character = u'!'; character <= u'~'; ++character) {
    if (Holds(encoding, character)) take(character);
  }
  if (encoding == text::Encoding::kWindows1252) {
    const auto& tables = text::CodeTables::Get();
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
      const char one = static_cast<char>(byte);
      const text::CharacterAt read = tables.Windows1252At(QByteArrayView(&one, 1), 0);
      if (read.size == 1 && QChar(read.character).isPrint() && !QChar(read.character).isSpace()) {
        take(read.character);
      }
    }
  }
  for (const char16_t character : JisCells()) {
    if (character == 0 || character < 0x80) continue;
    if (!Holds(encoding, character)) {
      set.limited = true;
    } else {
      take(character);
    }
  }
  return set;
}

}  // namespace orvane::recognition
