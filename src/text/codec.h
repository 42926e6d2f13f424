#pragma once

#include "text/encoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace orvane::text {

// The characters a table's bytes stand for in its encoding, control bytes as they are, or
// nothing when the bytes are not valid in it. EUC-JP is the format's reading: a pair of bytes
// A1..FE that is a JIS X 0208 character, 8E and a byte A1..DF a half-width katakana, any other
// byte its Windows-1252 character. Shift-JIS reads every code that code page 932 defines, also
// those it writes otherwise (87 90 and 81 E0 are both ≒).
[[nodiscard]] std::optional<QString> Decode(QByteArrayView bytes, Encoding encoding);
// Whether Decode reads the bytes.
[[nodiscard]] bool IsValidIn(QByteArrayView bytes, Encoding encoding);

// As Decode, with what the encoding cannot read as U+FFFD, one for each byte.
[[nodiscard]] QString DecodeLenient(QByteArrayView bytes, Encoding encoding);
// DecodeLenient's text in UTF-8, appended to `out`; quick for many lines.
void AppendLenientUtf8(QByteArray& out, QByteArrayView bytes, Encoding encoding);

// The bytes of text in an encoding, or nothing when a character has no form in it nor a
// Counterpart. EUC-JP writes JIS X 0208 pairs, half-width katakana behind 8E and, for other
// characters, the Windows-1252 byte a key would type, never the three-byte JIS X 0212 form that
// the format's reading takes for other characters.
[[nodiscard]] std::optional<QByteArray> EncodeText(QStringView text, Encoding encoding);

// The character written in place of one that EUC-JP or Shift-JIS has no form for: the JIS forms
// 〜 − ‖ as ～ － ∥, and in Shift-JIS ¢ £ ¬ as ￠ ￡ ￢. Nothing for any other character.
[[nodiscard]] std::optional<QChar> Counterpart(QChar character, Encoding encoding);

// As EncodeText, character by character: a character with no form is left out, the rest kept.
struct EncodedText {
  QByteArray bytes;
  bool dropped = false;  // a character had no form and was left out
};
[[nodiscard]] EncodedText EncodeWhatFits(QStringView text, Encoding encoding);

// The same text in another encoding (a character with a Counterpart written as that), or nothing
// when it is not valid in `from`, a character has no form in `to`, or the bytes would read back
// there as other characters.
[[nodiscard]] std::optional<QByteArray> Convert(QByteArrayView bytes, Encoding from, Encoding to);
// As Convert, appended to `out`; false, and `out` as it was, when Convert gives nothing.
[[nodiscard]] bool AppendConverted(QByteArray& out, QByteArrayView bytes, Encoding from,
                                   Encoding to);

// How many bytes the last character of the text takes: one in EUC-JP and Windows-1252 (the
// format drops a byte at a time there), the whole character in UTF-8 and Shift-JIS, where one
// byte of a pair would leave a broken character. 0 for an empty text.
[[nodiscard]] qsizetype LastCharacterSize(QByteArrayView bytes, Encoding encoding);

}  // namespace orvane::text
