#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>
#include <vector>

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
// a UTF-8 byte-order mark, or converted to UTF-16, behind its byte-order mark or without one.
enum class FileForm { kPlain, kUtf8Bom, kUtf16Le, kUtf16Be, kUtf16LeNoBom, kUtf16BeNoBom };

[[nodiscard]] constexpr bool IsUtf16(FileForm form) {
  return form != FileForm::kPlain && form != FileForm::kUtf8Bom;
}

inline constexpr std::array<Encoding, 4> kEncodings = {Encoding::kEucJp, Encoding::kShiftJis,
                                                       Encoding::kUtf8, Encoding::kWindows1252};

// "EUC-JP", "Shift-JIS", "UTF-8", "Windows-1252".
[[nodiscard]] QString EncodingName(Encoding encoding);
// One of the names above in any letter case, or nothing.
[[nodiscard]] std::optional<Encoding> EncodingFromName(QStringView name);
// "UTF-8 with BOM", "UTF-16LE", "UTF-16BE", "UTF-16LE without BOM", "UTF-16BE without BOM";
// nothing for a plain file.
[[nodiscard]] QString FormName(FileForm form);

// The encoding of a table's text, from the lines a save writes, given one at a time (a line that
// a later one replaces tells nothing). UTF-8 when its lines holding valid multi-byte UTF-8
// outnumber its lines that are not valid UTF-8; the format's own EUC-JP when no line holds a byte
// above 0x7F. Otherwise the one of EUC-JP (the format's reading, as Decode reads it), Shift-JIS
// and Windows-1252 that reads the text most as real text: kana, kanji, letters and full-width
// forms count for much, symbols for less, punctuation for nothing; half-width katakana count for
// little unless the table holds ten or more different ones (a syllabary), and then for more than
// a kanji of the same two bytes; a byte sequence the encoding cannot read, or the user-defined
// area, counts against it. Ties go to Windows-1252, then EUC-JP: the same bytes mean the same
// letters in both unless two of them form a pair.
class EncodingDetector {
 public:
  void AddLine(QByteArrayView line);
  [[nodiscard]] Encoding Result() const;
  // Whether the encoding reads every line given.
  [[nodiscard]] bool AllValid(Encoding encoding) const;

 private:
  // How well one encoding reads the lines, in half points, and what it cannot read.
  struct Reading {
    qint64 score = 0;
    qint64 unreadable = 0;  // sequences it cannot read or that say nothing (the user area)
    qint64 invalid = 0;     // sequences it cannot read
    [[nodiscard]] qint64 Total() const;
  };

  // What the readers add for a line whose bytes from the first above 0x7F on are one pair.
  static const std::vector<quint32>& PairReadings();

  // Reads the line from its first byte above 0x7F on.
  void ReadNonAscii(QByteArrayView line);
  void ReadShiftJis(QByteArrayView line);
  void ReadEucJp(QByteArrayView line);
  void ReadWindows1252(QByteArrayView line);

  qint64 non_ascii_lines_ = 0;
  qint64 utf8_lines_ = 0;
  qint64 not_utf8_lines_ = 0;
  Reading euc_jp_;
  Reading shift_jis_;
  Reading windows1252_;
  qint64 half_width_letters_ = 0;
  std::array<bool, 64> half_width_seen_{};
  const quint32* pairs_ = nullptr;  // PairReadings(), once a line needs it
};

// The encoding of a whole text, every line of it given to an EncodingDetector.
[[nodiscard]] Encoding DetectEncoding(QByteArrayView text);

}  // namespace orvane::text
