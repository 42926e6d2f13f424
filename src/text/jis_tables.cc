#include "text/jis_tables.h"

#include "text/windows1252.h"

#include <QList>
#include <QString>
#include <QStringDecoder>

#include <array>
#include <vector>

namespace orvane::text {
namespace {

constexpr char16_t kNone = 0xFFFF;  // a noncharacter: never what a code stands for

bool Between(quint8 byte, int low, int high) { return byte >= low && byte <= high; }

// Both encodings' pairs, read once from Qt's converters and then looked up: a converter made
// for every character costs microseconds, and a table can hold millions of them.
class JisTables {
 public:
  static const JisTables& Get() {
    static const JisTables tables;
    return tables;
  }

  [[nodiscard]] char16_t ShiftJis(quint8 lead, quint8 trail) const {
    const int row = ShiftJisRow(lead);
    if (row < 0 || trail < 0x40 || trail > 0xFC || trail == 0x7F) return kNone;
    return shift_jis_[static_cast<size_t>(row * kShiftJisTrails + trail - 0x40)];
  }
  [[nodiscard]] char16_t EucJp(quint8 lead, quint8 trail) const {
    if (!Between(lead, 0xA1, 0xFE) || !Between(trail, 0xA1, 0xFE)) return kNone;
    return euc_jp_[static_cast<size_t>((lead - 0xA1) * kEucTrails + trail - 0xA1)];
  }
  [[nodiscard]] quint16 ShiftJisCode(char16_t character) const {
    return shift_jis_codes_[character];
  }
  [[nodiscard]] quint16 EucJpCode(char16_t character) const { return euc_jp_codes_[character]; }

 private:
  static constexpr int kShiftJisLeads = 60;    // 81..9F and E0..FC
  static constexpr int kShiftJisTrails = 189;  // 40..FC, 7F never used
  static constexpr int kEucTrails = 94;        // A1..FE

  static int ShiftJisRow(quint8 lead) {
    if (Between(lead, 0x81, 0x9F)) return lead - 0x81;
    if (Between(lead, 0xE0, 0xFC)) return lead - 0xE0 + 31;
    return -1;
  }

  JisTables() : shift_jis_codes_(0x10000, 0), euc_jp_codes_(0x10000, 0) {
    std::vector<quint16> codes;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      for (int trail = 0x40; trail <= 0xFC && ShiftJisRow(static_cast<quint8>(lead)) >= 0;
           ++trail) {
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
  }

  // The character of each code, read in one pass: each code on a line of its own, so a code the
  // converter cannot read spoils only its own line (a substitute, or more than one character).
  static std::vector<char16_t> Read(const char* name, const std::vector<quint16>& codes) {
    QByteArray bytes;
    for (const quint16 code : codes) {
      bytes.append(static_cast<char>(code >> 8)).append(static_cast<char>(code & 0xFF));
      bytes.append('\n');
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
  static void Reverse(const std::vector<char16_t>& characters, const std::vector<quint16>& codes,
                      std::vector<quint16>& reverse, Take take) {
    for (size_t i = 0; i < codes.size(); ++i) {
      if (characters[i] != kNone && reverse[characters[i]] == 0 && take(codes[i])) {
        reverse[characters[i]] = codes[i];
      }
    }
  }

  std::vector<char16_t> shift_jis_;
  std::vector<char16_t> euc_jp_;
  std::vector<quint16> shift_jis_codes_;
  std::vector<quint16> euc_jp_codes_;
};

quint8 ByteAt(QByteArrayView bytes, qsizetype at) {
  return at < bytes.size() ? static_cast<quint8>(bytes[at]) : quint8{0};
}

}  // namespace

CharacterAt ShiftJisAt(QByteArrayView bytes, qsizetype at) {
  const quint8 byte = ByteAt(bytes, at);
  if (byte < 0x80) return {byte, 1};
  if (Between(byte, 0xA1, 0xDF)) return {char16_t(kFirstHalfWidthKatakana + byte - 0xA1), 1};
  if (at + 1 >= bytes.size()) return {};
  const char16_t character = JisTables::Get().ShiftJis(byte, ByteAt(bytes, at + 1));
  if (character == kNone) return {};
  return {character, 2};
}

CharacterAt EucJpAt(QByteArrayView bytes, qsizetype at) {
  const quint8 byte = ByteAt(bytes, at);
  if (byte < 0x80) return {byte, 1};
  if (at + 1 < bytes.size()) {
    const quint8 next = ByteAt(bytes, at + 1);
    if (byte == 0x8E && Between(next, 0xA1, 0xDF)) {
      return {char16_t(kFirstHalfWidthKatakana + next - 0xA1), 2};
    }
    const char16_t character = JisTables::Get().EucJp(byte, next);
    if (character != kNone) return {character, 2};
  }
  return Windows1252At(bytes, at);
}

CharacterAt Windows1252At(QByteArrayView bytes, qsizetype at) {
  const std::optional<QChar> character = Windows1252Char(ByteAt(bytes, at));
  if (!character) return {};
  return {character->unicode(), 1};
}

quint16 ShiftJisPairCode(char16_t character) { return JisTables::Get().ShiftJisCode(character); }

quint16 JisX0208Code(char16_t character) { return JisTables::Get().EucJpCode(character); }

bool IsJisX0208Pair(quint8 lead, quint8 trail) {
  return JisTables::Get().EucJp(lead, trail) != kNone;
}

}  // namespace orvane::text
