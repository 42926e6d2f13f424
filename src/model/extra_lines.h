#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace orvane::model {

// The table's extra lines in file order, any number of them: a table may hold many thousands
// (two-byte codes and comments are extra lines to this format). A loaded file's lines stay
// where the file's text is, shared with it, so a load copies nothing line by line; copies of the
// store share it too until one changes. A line may be empty: a free slot, which a save skips.
class ExtraLines {
 public:
  [[nodiscard]] qsizetype size() const { return ranges_.size(); }
  [[nodiscard]] QByteArrayView at(qsizetype i) const {
    return QByteArrayView(text_).sliced(ranges_[i].begin, ranges_[i].end - ranges_[i].begin);
  }
  [[nodiscard]] qsizetype NonEmptyCount() const;
  [[nodiscard]] qsizetype ByteCount() const;

  // Makes `text` the buffer that AppendRange refers to; only while the store is empty.
  void Adopt(const QByteArray& text);
  void AppendRange(qsizetype begin, qsizetype end) { ranges_.append(Range{begin, end}); }
  void Append(QByteArrayView line);
  // Appends the line that `write` appends to the store's text, in place; `write` returns whether
  // it wrote it whole, and this returns that.
  template <typename Write>
  bool AppendWritten(Write write) {
    const qsizetype begin = text_.size();
    const bool whole = write(text_);
    ranges_.append(Range{begin, text_.size()});
    return whole;
  }
  // Room for `lines` more lines, appended without copying the ranges again.
  void ReserveLines(qsizetype lines) { ranges_.reserve(ranges_.size() + lines); }
  // Overwrites line i; slower than Append, as the lines are gathered anew.
  void Replace(qsizetype i, QByteArrayView line);
  [[nodiscard]] QList<QByteArray> ToList() const;
  void Assign(const QList<QByteArray>& lines);
  void Clear();

  friend bool operator==(const ExtraLines& a, const ExtraLines& b);

 private:
  struct Range {
    qsizetype begin;
    qsizetype end;
  };
  QByteArray text_;
  QList<Range> ranges_;
};

}  // namespace orvane::model
