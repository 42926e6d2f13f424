#include "model/extra_lines.h"

#include "model/table_line.h"

#include <algorithm>

namespace orvane::model {
namespace {

// The longer code a line defines, if it defines one.
std::optional<Code> LongerCodeOf(QByteArrayView line) {
  const TableLine read = ReadTableLine(line);
  if (read.form != LineForm::kCodeEntry && read.form != LineForm::kSpecial) return std::nullopt;
  if (read.code.IsSingleByte()) return std::nullopt;
  return read.code;
}

}  // namespace

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
  codes_.ShiftLines(i, 1);
  ranges_.insert(i, MakeRange(begin, text_.size(), origin));
  live_bytes_ += line.size();
  IndexLine(i);
}

void ExtraLines::Replace(qsizetype i, QByteArrayView line) {
  UnindexLine(i);
  live_bytes_ += line.size() - at(i).size();
  const qsizetype begin = text_.size();
  text_.append(line);
  ranges_[i] = MakeRange(begin, text_.size(), ranges_[i].origin);
  IndexLine(i);
  Compact();
}

void ExtraLines::Remove(qsizetype i) {
  UnindexLine(i);
  live_bytes_ -= at(i).size();
  ranges_.removeAt(i);
  codes_.ShiftLines(i + 1, -1);
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
    if (const auto code = LongerCodeOf(lines[i])) (void)codes_.Add(*code, i);
  }
  text_ = std::move(text);
  live_bytes_ = bytes;
  (void)codes_.Finish();
}

void ExtraLines::Clear() {
  text_.clear();
  ranges_.clear();
  codes_.Clear();
  live_bytes_ = 0;
}

QList<qsizetype> ExtraLines::LinesOf(const Code& code) const {
  QList<qsizetype> lines;
  const std::optional<qsizetype> last = DefiningLine(code);
  if (!last) return lines;
  for (qsizetype i = 0; i <= *last; ++i) {
    if (LongerCodeOf(at(i)) == code) lines.append(i);
  }
  return lines;
}

qsizetype ExtraLines::InsertionPoint(const Code& code) const {
  if (const auto lower = codes_.NearestLower(code)) return lower->line + 1;
  if (const auto higher = codes_.NearestHigher(code)) return higher->line;
  return size();
}

void ExtraLines::IndexAppended() {
  if (const auto code = LongerCodeOf(at(size() - 1))) (void)codes_.Add(*code, size() - 1);
}

void ExtraLines::IndexLine(qsizetype i) {
  if (const auto code = LongerCodeOf(at(i))) codes_.Insert(*code, i);
}

void ExtraLines::UnindexLine(qsizetype i) {
  if (const auto code = LongerCodeOf(at(i))) codes_.Erase(*code, i, LineBefore(*code, i));
}

std::optional<qsizetype> ExtraLines::LineBefore(const Code& code, qsizetype line) const {
  // Only a line that defines the code last has one to fall back on that matters.
  if (DefiningLine(code) != line) return std::nullopt;
  for (qsizetype i = line - 1; i >= 0; --i) {
    if (LongerCodeOf(at(i)) == code) return i;
  }
  return std::nullopt;
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
