#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace orvane::model {

// The table's extra lines in file order, any number of them: the lines that define nothing
// (comments, lines Orvane does not read), kept as they are. A loaded file's lines stay where the
// file's text is, shared with it, so a load copies nothing line by line; copies of the store share
// it too until one changes. A line may be empty: a free slot, which a save skips. Each line
// remembers the file line it was read from (its origin; 0 for a line added since).
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
  // then takes its lines one by one. Inline: a load appends every extra line through it.
  void Adopt(const QByteArray& text);
  void AppendRange(qsizetype begin, qsizetype end, qsizetype origin) {
    ranges_.append(MakeRange(begin, end, origin));
    live_bytes_ += end - begin;
  }

  void Append(QByteArrayView line, qsizetype origin = 0);
  void Insert(qsizetype i, QByteArrayView line, qsizetype origin = 0);
  // Appends the line that `write` appends to the store's text, in place; `write` returns whether
  // it wrote it whole, and this returns that.
  template <typename Write>
  bool AppendWritten(Write write, qsizetype origin) {
    const qsizetype begin = text_.size();
    const bool whole = write(text_);
    ranges_.append(MakeRange(begin, text_.size(), origin));
    live_bytes_ += text_.size() - begin;
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

  // Compares the lines' texts.
  friend bool operator==(const ExtraLines& a, const ExtraLines& b);

 private:
  // 32 bits each: a table file is at most 1 GiB, and the buffer is compacted before it grows to
  // twice its lines.
  struct Range {
    quint32 begin;
    quint32 end;
    quint32 origin;
  };
  [[nodiscard]] static Range MakeRange(qsizetype begin, qsizetype end, qsizetype origin) {
    return Range{static_cast<quint32>(begin), static_cast<quint32>(end),
                 static_cast<quint32>(origin)};
  }
  // Drops the bytes no line refers to any more once they outweigh the lines.
  void Compact();

  QByteArray text_;
  QList<Range> ranges_;
  qsizetype live_bytes_ = 0;
};

}  // namespace orvane::model
