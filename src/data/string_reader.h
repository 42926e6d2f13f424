#pragma once

#include "data/code_lookup.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <algorithm>
#include <functional>
#include <vector>

namespace orvane::data {

// What one piece of data read as: a code, or a byte that starts none.
enum class PieceKind : quint8 { kText, kEnd, kLineBreak, kUnknown };

// The bytes one piece of a string's text came from.
struct ReadPiece {
  qint64 offset = 0;
  qsizetype text_begin = 0;  // where its text starts in the string's text
  quint8 length = 0;         // one to four bytes
  PieceKind kind = PieceKind::kText;
};

// A string of the data as the table reads it: from its first byte to an end mark, or to where
// the reading stopped.
struct ReadString {
  qint64 offset = 0;
  QString text;
  QList<ReadPiece> pieces;  // kept only when asked for
  bool ended = false;       // by an end mark
};

// Reads data through the table from a starting byte, taking at each byte the longest code that
// reads and moving past it; a byte that starts no code reads as "<$XX>". The data may come in
// blocks of any size, so a file is read without holding it whole.
class StringReader {
 public:
  using Take = std::function<void(ReadString&&)>;

  // `offset` is the offset of the first byte it will be given.
  StringReader(const CodeLookup& lookup, qint64 offset, LineBreaks breaks, bool keep_pieces);

  // Reads the bytes that follow those read so far and hands each ended string to `take`. Unless
  // `last`, it keeps back the final bytes a longer code could need (at most three): it returns
  // how many it read, and the rest must come again at the front of the next call.
  qsizetype Read(QByteArrayView bytes, bool last, const Take& take);
  // Hands over the string begun and not ended, if there is one.
  void Finish(const Take& take);

 private:
  void Append(QStringView text) {
    const qsizetype size = text.size();
    if (used_ + size > static_cast<qsizetype>(text_.size())) Grow(size);
    // Most texts are one unit: no call to copy it.
    if (size == 1) {
      text_[static_cast<size_t>(used_)] = text[0].unicode();
    } else {
      std::copy_n(text.utf16(), size, text_.data() + used_);
    }
    used_ += size;
  }
  void Grow(qsizetype more);
  // Hands the string at hand to `take` and starts the next.
  void Hand(const Take& take);

  const CodeLookup& lookup_;
  qint64 offset_;
  LineBreaks breaks_;
  bool keep_pieces_;
  bool open_ = false;
  ReadString current_;
  // The text of the string at hand, grown as needed and reused from string to string.
  std::vector<char16_t> text_ = std::vector<char16_t>(256);
  qsizetype used_ = 0;
};

// The strings of `bytes`, which start at `offset`, read to their end.
[[nodiscard]] QList<ReadString> ReadStrings(const CodeLookup& lookup, QByteArrayView bytes,
                                            qint64 offset, LineBreaks breaks, bool keep_pieces);
// The text `bytes` read as, all strings one after another in one line.
[[nodiscard]] QString ReadText(const CodeLookup& lookup, QByteArrayView bytes);

// For each of `count` bytes from `first`, what the reading shows at it beside a hex view: the
// first character of a code at its first byte ("/" or "*" for a mark), "·" at the other bytes
// of a longer code, "." for a byte that starts no code, and nothing for a byte not read.
[[nodiscard]] QStringList ByteCells(const QList<ReadString>& strings, qint64 first,
                                    qsizetype count);

// Bytes as spaced upper-case hexadecimal: "82 A0".
[[nodiscard]] QString HexBytes(QByteArrayView bytes);

}  // namespace orvane::data
