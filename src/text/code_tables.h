#pragma once

#include <QByteArrayView>

#include <array>
#include <vector>

namespace orvane::text {

// One character read from a table's bytes at a position, and how many bytes it took: 0 when the
// encoding cannot read a character there. Every character of these encodings is one UTF-16 unit.
struct CharacterAt {
  char16_t character = 0;
  qsizetype size = 0;
};

inline constexpr char16_t kFirstHalfWidthKatakana = 0xFF61;  // byte A1 in both encodings
inline constexpr char16_t kLastHalfWidthKatakana = 0xFF9F;   // byte DF

// The characters of code page 932, of the format's EUC-JP and of Windows-1252, read from Qt's
// converters once and then looked up: a converter made for every character costs microseconds,
// and a table can hold millions of them. The readers are inline: they run for every byte.
class CodeTables {
 public:
  static const CodeTables& Get();

  // Code page 932 with its NEC and IBM rows, every code it defines, its duplicates included.
  [[nodiscard]] CharacterAt ShiftJisAt(QByteArrayView bytes, qsizetype at) const {
    const auto byte = static_cast<quint8>(bytes[at]);
    if (byte < 0x80) return {byte, 1};
    if (byte >= 0xA1 && byte <= 0xDF) return {char16_t(kFirstHalfWidthKatakana + byte - 0xA1), 1};
    if (at + 1 >= bytes.size()) return {};
    const int row = ShiftJisRow(byte);
    const auto trail = static_cast<quint8>(bytes[at + 1]);
    if (row < 0 || trail < 0x40 || trail > 0xFC) return {};
    const char16_t character =
        shift_jis_[static_cast<size_t>(row * kShiftJisTrails + trail - 0x40)];
    if (character == kNone) return {};
    return {character, 2};
  }

  // The format's EUC-JP reading: a JIS X 0208 pair (with the NEC and IBM rows that Qt's
  // converter reads), a half-width katakana behind 8E, else the byte's Windows-1252 character.
  [[nodiscard]] CharacterAt EucJpAt(QByteArrayView bytes, qsizetype at) const {
    const auto byte = static_cast<quint8>(bytes[at]);
    if (byte < 0x80) return {byte, 1};
    if (at + 1 < bytes.size()) {
      const auto next = static_cast<quint8>(bytes[at + 1]);
      if (byte == 0x8E && next >= 0xA1 && next <= 0xDF) {
        return {char16_t(kFirstHalfWidthKatakana + next - 0xA1), 2};
      }
      if (byte >= 0xA1 && byte <= 0xFE && next >= 0xA1 && next <= 0xFE) {
        const char16_t character = euc_jp_[static_cast<size_t>((byte - 0xA1) * 94 + next - 0xA1)];
        if (character != kNone) return {character, 2};
      }
    }
    return Windows1252At(bytes, at);
  }

  [[nodiscard]] CharacterAt Windows1252At(QByteArrayView bytes, qsizetype at) const {
    const char16_t character = windows1252_[static_cast<quint8>(bytes[at])];
    if (character == kNone) return {};
    return {character, 1};
  }

  // The code (lead * 256 + trail) that writes a character as a pair, or 0. Code page 932 writes
  // each duplicate's first code, and the IBM rows rather than their NEC-selected copies (ED, EE).
  [[nodiscard]] quint16 ShiftJisCode(char16_t character) const {
    return shift_jis_codes_[character];
  }
  [[nodiscard]] quint16 EucJpCode(char16_t character) const { return euc_jp_codes_[character]; }

 private:
  static constexpr char16_t kNone = 0xFFFF;    // a noncharacter: never what a code stands for
  static constexpr int kShiftJisTrails = 189;  // 40..FC, of which 7F is none

  static int ShiftJisRow(quint8 lead) {
    if (lead >= 0x81 && lead <= 0x9F) return lead - 0x81;
    if (lead >= 0xE0 && lead <= 0xFC) return lead - 0xE0 + 31;
    return -1;
  }

  CodeTables();
  static std::vector<char16_t> Read(const char* name, const std::vector<quint16>& codes);
  template <typename Take>
  static void Reverse(const std::vector<char16_t>& characters, const std::vector<quint16>& codes,
                      std::vector<quint16>& reverse, Take take);

  std::vector<char16_t> shift_jis_;
  std::vector<char16_t> euc_jp_;
  std::array<char16_t, 256> windows1252_{};
  std::vector<quint16> shift_jis_codes_;
  std::vector<quint16> euc_jp_codes_;
};

}  // namespace orvane::text
