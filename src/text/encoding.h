#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

namespace orvane::text {

// How a table's bytes are read as characters. Only the screen and typed text convert; stored
// bytes never change.
enum class Encoding {
  // The format's own: a pair of bytes A1..FE that is a JIS X 0208 character is that character;
  // any other byte its Windows-1252 character.
  kEucJp,
  // Windows code page 932, with its NEC and IBM extensions.
  kShiftJis,
  kUtf8,
  kWindows1252,
};

// How the file holds the table's text, apart from its encoding: as the bytes themselves, behind
// a UTF-8 byte-order mark, or converted to UTF-16 behind its byte-order mark.
enum class FileForm { kPlain, kUtf8Bom, kUtf16Le, kUtf16Be };

inline constexpr std::array<Encoding, 4> kEncodings = {Encoding::kEucJp, Encoding::kShiftJis,
                                                       Encoding::kUtf8, Encoding::kWindows1252};

// "EUC-JP", "Shift-JIS", "UTF-8", "Windows-1252".
[[nodiscard]] QString EncodingName(Encoding encoding);
// One of the names above in any letter case, or nothing.
[[nodiscard]] std::optional<Encoding> EncodingFromName(QStringView name);
// "UTF-8 with BOM", "UTF-16LE", "UTF-16BE"; nothing for a plain file.
[[nodiscard]] QString FormName(FileForm form);

// The encoding of a table's text, read whole (its lines, with the line ends between them).
// UTF-8 when there is a byte above 0x7F and all of it is valid UTF-8; the format's own EUC-JP
// when there is none. Otherwise the one of EUC-JP, Shift-JIS and Windows-1252 that reads the
// text most as real text: kana, kanji, letters and full-width forms count for much, symbols for
// less, punctuation for nothing, a few half-width katakana alone for little (Latin-1 tables
// hold the same single bytes), and each byte sequence the encoding cannot read counts against
// it. Ties go to EUC-JP, then Shift-JIS.
[[nodiscard]] Encoding DetectEncoding(QByteArrayView text);

}  // namespace orvane::text
