#pragma once

#include <QByteArrayView>

namespace orvane::text {

// One character read from a table's bytes at a position, and how many bytes it took: 0 when the
// encoding cannot read a character there. Every character of these encodings is one UTF-16 unit.
struct CharacterAt {
  char16_t character = 0;
  qsizetype size = 0;
};

// Code page 932 with its NEC and IBM rows, every code it defines, its duplicates included.
[[nodiscard]] CharacterAt ShiftJisAt(QByteArrayView bytes, qsizetype at);
// The format's EUC-JP reading: a JIS X 0208 pair, a half-width katakana behind 8E, or else the
// byte's Windows-1252 character.
[[nodiscard]] CharacterAt EucJpAt(QByteArrayView bytes, qsizetype at);
[[nodiscard]] CharacterAt Windows1252At(QByteArrayView bytes, qsizetype at);

// The code (lead * 256 + trail) that writes a character as a pair, or 0. Code page 932 writes
// each duplicate's first code, and the IBM rows rather than their NEC-selected copies (ED, EE).
[[nodiscard]] quint16 ShiftJisPairCode(char16_t character);
[[nodiscard]] quint16 JisX0208Code(char16_t character);

// Whether the pair lead, trail is the EUC-JP form of a JIS X 0208 (or NEC or IBM) character.
[[nodiscard]] bool IsJisX0208Pair(quint8 lead, quint8 trail);

inline constexpr char16_t kFirstHalfWidthKatakana = 0xFF61;  // byte A1 in both encodings
inline constexpr char16_t kLastHalfWidthKatakana = 0xFF9F;   // byte DF

}  // namespace orvane::text
