#pragma once

#include "data/block_reader.h"
#include "data/code_lookup.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <vector>

namespace orvane::data {

// What one piece of data read as: a code, a control code, a byte a control code takes as its
// argument, or a byte that starts no code.
enum class PieceKind : quint8 { kText, kEnd, kLineBreak, kControl, kArgument, kUnknown };

// The bytes one piece of a string's text came from.
struct ReadPiece {
  qint64 offset = 0;
  qsizetype text_begin = 0;  // where its text starts in the string's text
  quint8 length = 0;         // one to four bytes
  PieceKind kind = PieceKind::kText;
  // A control code's label less the closing bracket its named arguments come before: this.
  char16_t closing = 0;
};

// A string of the data as the table reads it: from its first byte to an end mark, or to where
// the reading stopped.
struct ReadString {
  qint64 offset = 0;
  QString text;
  QList<ReadPiece> pieces;  // kept only when asked for
  bool ended = false;       // by an end mark
  bool cut = false;         // by the end of the data inside a control code's arguments
};

// How the reading shows the arguments of a control code that the data's end cuts off.
inline constexpr QStringView kCutArgument = u"…";

struct ReadOptions {
  LineBreaks breaks = LineBreaks::kMarker;
  bool keep_pieces = false;
  // The bytes of a value: at 2, only codes of whole 16-bit values read, and a value that starts
  // none reads as both its bytes.
  int step = 1;
};

// The one reader of data through the table: from a starting byte it takes at each byte the
// longest code that reads and moves past it (and past the bytes a control code takes as its
// arguments, which are never read as codes); a byte that starts no code reads as "<$XX>". An end
// mark ends a string. The data may come in
// blocks of any size, down to one byte, so a file is read without holding it whole; what the
// reader is in the middle of (a string, a code's arguments) carries over from block to block.
class StringReader {
 public:
  using Take = std::function<void(ReadString&&)>;

  // `offset` is the offset of the first byte it will be given.
  StringReader(const CodeLookup& lookup, qint64 offset, ReadOptions options);
  StringReader(const CodeLookup& lookup, qint64 offset, LineBreaks breaks, bool keep_pieces)
      : StringReader(lookup, offset, ReadOptions{breaks, keep_pieces, 1}) {}

  // Reads the bytes that follow those read so far and hands each ended string to `take`. Unless
  // `last`, it keeps back the final bytes a longer code could need (at most three): it returns
  // how many it read, and the rest must come again at the front of the next call.
  qsizetype Read(QByteArrayView bytes, bool last, const Take& take);
  // The same from a block reader's block, which holds again the bytes kept back.
  void Read(const Block& block, const Take& take);
  // Hands over the string begun and not ended, if there is one.
  void Finish(const Take& take);
  // The offset of the next byte to read.
  [[nodiscard]] qint64 Offset() const { return offset_; }

 private:
  void Append(QStringView text) {
    const qsizetype size = text.size();
    if (used_ + size > capacity_) Grow(size);
    // Most texts are one unit: no call to copy it.
    if (size == 1) {
      text_[static_cast<size_t>(used_)] = text[0].unicode();
    } else {
      std::copy_n(text.utf16(), size, text_.data() + used_);
    }
    used_ += size;
  }
  void Grow(qsizetype more);
  void AddPiece(qint64 offset, int length, PieceKind kind);
  // A value that starts no code: how many bytes it took.
  int ReadUnknown(const char* bytes, qsizetype available, qint64 offset);
  // What a control code, a mark or a code that ends a line does once its text is read.
  void AfterCode(const CodeReading& reading, const Take& take);
  void ReadArgument(char byte, qint64 offset, const Take& take);
  // The code's closing bracket and line breaks, and the string's end at an end mark.
  void EndCode(const Take& take);
  // The arguments the data's end cut off.
  void CutCode();
  // Hands the string at hand to `take` and starts the next.
  void Hand(const Take& take);

  const CodeLookup& lookup_;
  qint64 offset_;
  ReadOptions options_;
  // Where the reading is between two bytes.
  bool open_ = false;
  // The code whose arguments are being read, and how many are read; valid while the lookup is.
  const CodeReading* code_ = nullptr;
  quint8 arguments_left_ = 0;
  quint8 arguments_read_ = 0;
  ReadString current_;
  // The text of the string at hand, grown as needed and reused from string to string.
  std::vector<char16_t> text_ = std::vector<char16_t>(256);
  qsizetype capacity_ = 256;
  qsizetype used_ = 0;
};

// How much ReadFileStrings reads at once.
inline constexpr qint64 kStringsBlock = qint64{1} << 20;

// The strings of `length` bytes of the source from `from`, or to its end when `length` is
// negative, read block by block; data that ends sooner ends the reading there.
ScanEnd ReadFileStrings(const CodeLookup& lookup, DataSource& source, qint64 from, qint64 length,
                        LineBreaks breaks, const StringReader::Take& take,
                        qint64 block_size = kStringsBlock);

// The strings of `bytes`, which start at `offset`, read to their end.
[[nodiscard]] QList<ReadString> ReadStrings(const CodeLookup& lookup, QByteArrayView bytes,
                                            qint64 offset, ReadOptions options);
[[nodiscard]] QList<ReadString> ReadStrings(const CodeLookup& lookup, QByteArrayView bytes,
                                            qint64 offset, LineBreaks breaks, bool keep_pieces);
// The text `bytes` read as, all strings one after another in one line.
[[nodiscard]] QString ReadText(const CodeLookup& lookup, QByteArrayView bytes);

// For each of `count` bytes from `first`, what the reading shows at it beside a hex view: the
// first character of a code at its first byte ("/" or "*" for a mark, a control code's label),
// "·" at the other bytes of a longer code and at a control code's arguments, "↵" for a code that
// stands for a line break alone, "." for a byte that starts no code, and nothing for a byte not
// read.
[[nodiscard]] QStringList ByteCells(const QList<ReadString>& strings, qint64 first,
                                    qsizetype count);

// Bytes as spaced upper-case hexadecimal: "82 A0".
[[nodiscard]] QString HexBytes(QByteArrayView bytes);

}  // namespace orvane::data
