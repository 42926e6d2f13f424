#include "model/extra_lines.h"

#include <algorithm>

namespace orvane::model {

qsizetype ExtraLines::NonEmptyCount() const {
  return std::count_if(ranges_.begin(), ranges_.end(),
                       [](const Range& range) { return range.end > range.begin; });
}

void ExtraLines::Adopt(const QByteArray& text) {
  if (ranges_.isEmpty()) text_ = text;
}

void ExtraLines::Append(QByteArrayView line, qsizetype origin) { Insert(size(), line, origin); }

void ExtraLines::Insert(qsizetype i, QByteArrayView line, qsizetype origin) {
  const qsizetype begin = text_.size();
  text_.append(line);
  ranges_.insert(i, MakeRange(begin, text_.size(), origin));
  live_bytes_ += line.size();
}

void ExtraLines::Replace(qsizetype i, QByteArrayView line) {
  live_bytes_ += line.size() - at(i).size();
  const qsizetype begin = text_.size();
  text_.append(line);
  ranges_[i] = MakeRange(begin, text_.size(), ranges_[i].origin);
  Compact();
}

void ExtraLines::Remove(qsizetype i) {
  live_bytes_ -= at(i).size();
  ranges_.removeAt(i);
}

QList<QByteArray> ExtraLines::ToList() const {
  QList<QByteArray> lines;
  lines.reserve(size());
  for (qsizetype i = 0; i < size(); ++i) lines.append(at(i).toByteArray());
  return lines;
}

QList<qsizetype> ExtraLines::Origins() const {
  QList<qsizetype> origins;
  origins.reserve(size());
  for (const Range& range : ranges_) origins.append(range.origin);
  return origins;
}

void ExtraLines::Assign(const QList<QByteArray>& lines, const QList<qsizetype>& origins) {
  QByteArray text;
  qsizetype bytes = 0;
  for (const QByteArray& line : lines) bytes += line.size();
  text.reserve(bytes);
  Clear();
  ranges_.reserve(lines.size());
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const qsizetype begin = text.size();
    text.append(lines[i]);
    ranges_.append(MakeRange(begin, text.size(), origins.value(i)));
  }
  text_ = std::move(text);
  live_bytes_ = bytes;
}

void ExtraLines::Clear() {
  text_.clear();
  ranges_.clear();
  live_bytes_ = 0;
}

void ExtraLines::Compact() {
  if (text_.size() <= 2 * live_bytes_ + 4096) return;
  QByteArray text;
  text.reserve(live_bytes_);
  for (Range& range : ranges_) {
    const qsizetype begin = text.size();
    text.append(QByteArrayView(text_).sliced(range.begin, range.end - range.begin));
    range = MakeRange(begin, text.size(), range.origin);
  }
  text_ = std::move(text);
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
