#pragma once

#include "model/code.h"
#include "model/code_index.h"

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
  [[nodiscard]] qsizetype size() const { return ranges_.size(); }
  [[nodiscard]] QByteArrayView at(qsizetype i) const {
    return QByteArrayView(text_).sliced(ranges_[i].begin, ranges_[i].end - ranges_[i].begin);
  }
  [[nodiscard]] qsizetype Origin(qsizetype i) const { return ranges_[i].origin; }
  [[nodiscard]] qsizetype NonEmptyCount() const;
  [[nodiscard]] qsizetype ByteCount() const { return live_bytes_; }

  // Loading: makes `text` the buffer that AppendRange refers to (only while the store is empty),
  // then takes its lines one by one; a line that defines the longer code `code` returns the line
  // it overrides where it knows it at once (else CodeIndex::kNoLine). FinishLoad ends the load and
  // tells the rest. Inline: a load appends every extra line through them.
  void Adopt(const QByteArray& text);
  void AppendRange(qsizetype begin, qsizetype end, qsizetype origin) {
    ranges_.append(MakeRange(begin, end, origin));
    live_bytes_ += end - begin;
  }
  qsizetype AppendCodeRange(qsizetype begin, qsizetype end, qsizetype origin, Code code) {
    const qsizetype overridden = codes_.Add(code, ranges_.size());
    AppendRange(begin, end, origin);
    return overridden;
  }
  [[nodiscard]] QList<CodeIndex::Override> FinishLoad() { return codes_.Finish(); }

  void Append(QByteArrayView line, qsizetype origin = 0);
  void Insert(qsizetype i, QByteArrayView line, qsizetype origin = 0);
  // Appends the line that `write` appends to the store's text, in place; `write` returns whether
  // it wrote it whole, and this returns that. FinishLoad ends a run of these.
  template <typename Write>
  bool AppendWritten(Write write, qsizetype origin) {
    const qsizetype begin = text_.size();
    const bool whole = write(text_);
    ranges_.append(MakeRange(begin, text_.size(), origin));
    live_bytes_ += text_.size() - begin;
    IndexAppended();
    return whole;
  }
  // Room for `lines` more lines, appended without copying the ranges again.
  void ReserveLines(qsizetype lines) { ranges_.reserve(ranges_.size() + lines); }
  // Overwrites line i; its origin stays.
  void Replace(qsizetype i, QByteArrayView line);
  void Remove(qsizetype i);
  [[nodiscard]] QList<QByteArray> ToList() const;
  [[nodiscard]] QList<qsizetype> Origins() const;
  // `origins`, when given, has one entry a line.
  void Assign(const QList<QByteArray>& lines, const QList<qsizetype>& origins = {});
  void Clear();

  // Where the longer codes are defined.
  [[nodiscard]] const CodeIndex& Codes() const { return codes_; }
  // The lines that define the code, in file order; the last one is what the code holds.
  [[nodiscard]] QList<qsizetype> LinesOf(const Code& code) const;
  [[nodiscard]] std::optional<qsizetype> DefiningLine(const Code& code) const {
    return codes_.DefiningLine(code);
  }
  // Where a new line for `code` goes: after the line of the nearest lower code of its length,
  // else before the line of the nearest higher one, else at the end.
  [[nodiscard]] qsizetype InsertionPoint(const Code& code) const;

  // Compares the lines' texts.
  friend bool operator==(const ExtraLines& a, const ExtraLines& b);

 private:
  // 32 bits each: a table file is at most 1 GiB, and the buffer is compacted before it grows to
  // twice its lines. A load touches every range, so their size counts.
  struct Range {
    quint32 begin;
    quint32 end;
    quint32 origin;
  };
  void IndexLine(qsizetype i);
  // Indexes the last line, appended as a load appends, in any code order.
  void IndexAppended();
  void UnindexLine(qsizetype i);
  // The last line before `line` that defines `code`.
  [[nodiscard]] std::optional<qsizetype> LineBefore(const Code& code, qsizetype line) const;
  [[nodiscard]] static Range MakeRange(qsizetype begin, qsizetype end, qsizetype origin) {
    return Range{static_cast<quint32>(begin), static_cast<quint32>(end),
                 static_cast<quint32>(origin)};
  }
  // Drops the bytes no line refers to any more once they outweigh the lines.
  void Compact();

  QByteArray text_;
  QList<Range> ranges_;
  CodeIndex codes_;
  qsizetype live_bytes_ = 0;
};

}  // namespace orvane::model
