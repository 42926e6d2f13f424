#include "text/code_tables.h"

#include "text/windows1252.h"

#include <QList>
#include <QString>
#include <QStringDecoder>

namespace orvane::text {

const CodeTables& CodeTables::Get() {
  static const CodeTables tables;
  return tables;
}

CodeTables::CodeTables() : shift_jis_codes_(0x10000, 0), euc_jp_codes_(0x10000, 0) {
  std::vector<quint16> codes;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x40; trail <= 0xFC && ShiftJisRow(static_cast<quint8>(lead)) >= 0; ++trail) {
      codes.push_back(static_cast<quint16>(lead << 8 | trail));
    }
  }
  shift_jis_ = Read("windows-31j", codes);
  // The IBM rows come after their NEC-selected copies but are the ones code page 932 writes.
  const auto late = [](quint16 code) { return code >> 8 == 0xED || code >> 8 == 0xEE; };
  Reverse(shift_jis_, codes, shift_jis_codes_, [&](quint16 code) { return !late(code); });
  Reverse(shift_jis_, codes, shift_jis_codes_, late);

  codes.clear();
  for (int lead = 0xA1; lead <= 0xFE; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      codes.push_back(static_cast<quint16>(lead << 8 | trail));
    }
  }
  euc_jp_ = Read("EUC-JP", codes);
  Reverse(euc_jp_, codes, euc_jp_codes_, [](quint16) { return true; });

  for (int byte = 0; byte < 256; ++byte) {
    const std::optional<QChar> character = Windows1252Char(static_cast<quint8>(byte));
    windows1252_[static_cast<size_t>(byte)] = character ? character->unicode() : kNone;
  }
}

// The character of each code, read in one pass: each code on a line of its own, so a code the
// converter cannot read spoils only its own line (a substitute, or more than one character).
std::vector<char16_t> CodeTables::Read(const char* name, const std::vector<quint16>& codes) {
  QByteArray bytes;
  for (const quint16 code : codes) {
    bytes.append(static_cast<char>(code >> 8)).append(static_cast<char>(code & 0xFF)).append('\n');
  }
  QStringDecoder decoder(name);
  const QString text = decoder.decode(bytes);
  const QList<QStringView> lines = QStringView(text).split(u'\n');
  std::vector<char16_t> characters(codes.size(), kNone);
  for (size_t i = 0; i < codes.size() && decoder.isValid(); ++i) {
    const QStringView line = lines.value(static_cast<qsizetype>(i));
    if (line.size() != 1 || line[0].unicode() == 0x1A || line[0] == QChar::ReplacementCharacter ||
        line[0].isSurrogate()) {
      continue;
    }
    characters[i] = line[0].unicode();
  }
  return characters;
}

template <typename Take>
void CodeTables::Reverse(const std::vector<char16_t>& characters, const std::vector<quint16>& codes,
                         std::vector<quint16>& reverse, Take take) {
  for (size_t i = 0; i < codes.size(); ++i) {
    if (characters[i] != kNone && reverse[characters[i]] == 0 && take(codes[i])) {
      reverse[characters[i]] = codes[i];
    }
  }
}

}  // namespace orvane::text
