#pragma once

#include "model/code.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

namespace orvane::model {

// The table's extra lines in file order, any number of them, and where among them the codes of
// two to four bytes are defined: such a line stays an extra line, so a table whose longer codes
// are not edited is written back as it was read. A loaded file's lines stay where the file's text
// is, shared with it, so a load copies nothing line by line; copies of the store share it too
// until one changes. A line may be empty: a free slot, which a save skips. Each line remembers the
// file line it was read from (its origin; 0 for a line added since).
class ExtraLines {
 public:
  // A longer code and one of the lines that define it.
  struct CodeLine {
    Code code;
    qsizetype line;
  };

  [[nodiscard]] qsizetype size() const { return ranges_.size(); }
  [[nodiscard]] QByteArrayView at(qsizetype i) const {
    return QByteArrayView(text_).sliced(ranges_[i].begin, ranges_[i].end - ranges_[i].begin);
  }
  [[nodiscard]] qsizetype Origin(qsizetype i) const { return ranges_[i].origin; }
  [[nodiscard]] qsizetype NonEmptyCount() const;
  [[nodiscard]] qsizetype ByteCount() const { return live_bytes_; }

  // Loading: makes `text` the buffer that AppendRange refers to (only while the store is empty),
  // then takes its lines one by one; SortCodes ends the load.
  void Adopt(const QByteArray& text);
  void AppendRange(qsizetype begin, qsizetype end, qsizetype origin);
  void SortCodes();

  void Append(QByteArrayView line, qsizetype origin = 0);
  void Insert(qsizetype i, QByteArrayView line, qsizetype origin = 0);
  // Overwrites line i; its origin stays.
  void Replace(qsizetype i, QByteArrayView line);
  void Remove(qsizetype i);
  [[nodiscard]] QList<QByteArray> ToList() const;
  [[nodiscard]] QList<qsizetype> Origins() const;
  // `origins`, when given, has one entry a line.
  void Assign(const QList<QByteArray>& lines, const QList<qsizetype>& origins = {});
  void Clear();

  // Every line that defines a longer code, in code order and, for one code, in line order.
  [[nodiscard]] const QList<CodeLine>& Codes() const { return codes_; }
  // The lines that define the code, in file order; the last one is what the code holds.
  [[nodiscard]] QList<qsizetype> LinesOf(const Code& code) const;
  [[nodiscard]] std::optional<qsizetype> DefiningLine(const Code& code) const;
  // Where a new line for `code` goes: after the line of the nearest lower code of its length,
  // else before the line of the nearest higher one, else at the end.
  [[nodiscard]] qsizetype InsertionPoint(const Code& code) const;

  // Compares the lines' texts.
  friend bool operator==(const ExtraLines& a, const ExtraLines& b);

 private:
  struct Range {
    qsizetype begin;
    qsizetype end;
    qsizetype origin;
  };
  // The first entry of Codes() not before (code, line).
  [[nodiscard]] qsizetype CodeEntry(const Code& code, qsizetype line) const;
  void IndexLine(qsizetype i);
  void UnindexLine(qsizetype i);
  void ShiftLines(qsizetype from, qsizetype by);
  // Drops the bytes no line refers to any more once they outweigh the lines.
  void Compact();

  QByteArray text_;
  QList<Range> ranges_;
  QList<CodeLine> codes_;
  qsizetype live_bytes_ = 0;
};

}  // namespace orvane::model
