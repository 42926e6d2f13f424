#include "model/extra_lines.h"

namespace orvane::model {

qsizetype ExtraLines::NonEmptyCount() const {
  qsizetype count = 0;
  for (const Range& range : ranges_) count += range.end > range.begin ? 1 : 0;
  return count;
}

qsizetype ExtraLines::ByteCount() const {
  qsizetype bytes = 0;
  for (const Range& range : ranges_) bytes += range.end - range.begin;
  return bytes;
}

void ExtraLines::Adopt(const QByteArray& text) {
  if (ranges_.isEmpty()) text_ = text;
}

void ExtraLines::Append(QByteArrayView line) {
  const qsizetype begin = text_.size();
  text_.append(line);
  ranges_.append(Range{begin, text_.size()});
}

void ExtraLines::Replace(qsizetype i, QByteArrayView line) {
  QList<QByteArray> lines = ToList();
  lines[i] = line.toByteArray();
  Assign(lines);
}

QList<QByteArray> ExtraLines::ToList() const {
  QList<QByteArray> lines;
  lines.reserve(size());
  for (qsizetype i = 0; i < size(); ++i) lines.append(at(i).toByteArray());
  return lines;
}

void ExtraLines::Assign(const QList<QByteArray>& lines) {
  QByteArray text;
  QList<Range> ranges;
  qsizetype bytes = 0;
  for (const QByteArray& line : lines) bytes += line.size();
  text.reserve(bytes);
  ranges.reserve(lines.size());
  for (const QByteArray& line : lines) {
    const qsizetype begin = text.size();
    text.append(line);
    ranges.append(Range{begin, text.size()});
  }
  text_ = std::move(text);
  ranges_ = std::move(ranges);
}

void ExtraLines::Clear() {
  text_.clear();
  ranges_.clear();
}

bool operator==(const ExtraLines& a, const ExtraLines& b) {
  if (a.size() != b.size()) return false;
  // Copies of one store share their data: equal without looking at a line.
  if (a.text_.constData() == b.text_.constData() &&
      a.ranges_.constData() == b.ranges_.constData()) {
    return true;
  }
  for (qsizetype i = 0; i < a.size(); ++i) {
    if (a.at(i) != b.at(i)) return false;
  }
  return true;
}

}  // namespace orvane::model
