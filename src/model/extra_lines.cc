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

bool Before(const ExtraLines::CodeLine& a, const ExtraLines::CodeLine& b) {
  return a.code != b.code ? a.code < b.code : a.line < b.line;
}

}  // namespace

qsizetype ExtraLines::NonEmptyCount() const {
  return std::count_if(ranges_.begin(), ranges_.end(),
                       [](const Range& range) { return range.end > range.begin; });
}

void ExtraLines::Adopt(const QByteArray& text) {
  if (ranges_.isEmpty()) text_ = text;
}

void ExtraLines::AppendRange(qsizetype begin, qsizetype end, qsizetype origin) {
  ranges_.append(Range{begin, end, origin});
  live_bytes_ += end - begin;
  if (const auto code = LongerCodeOf(at(size() - 1))) codes_.append({*code, size() - 1});
}

void ExtraLines::SortCodes() {
  // The lines were taken in order, so a stable sort by code keeps each code's lines in order.
  std::stable_sort(codes_.begin(), codes_.end(),
                   [](const CodeLine& a, const CodeLine& b) { return a.code < b.code; });
}

void ExtraLines::Append(QByteArrayView line, qsizetype origin) { Insert(size(), line, origin); }

void ExtraLines::Insert(qsizetype i, QByteArrayView line, qsizetype origin) {
  const qsizetype begin = text_.size();
  text_.append(line);
  ShiftLines(i, 1);
  ranges_.insert(i, Range{begin, text_.size(), origin});
  live_bytes_ += line.size();
  IndexLine(i);
}

void ExtraLines::Replace(qsizetype i, QByteArrayView line) {
  UnindexLine(i);
  live_bytes_ += line.size() - at(i).size();
  const qsizetype begin = text_.size();
  text_.append(line);
  ranges_[i].begin = begin;
  ranges_[i].end = text_.size();
  IndexLine(i);
  Compact();
}

void ExtraLines::Remove(qsizetype i) {
  UnindexLine(i);
  live_bytes_ -= at(i).size();
  ranges_.removeAt(i);
  ShiftLines(i + 1, -1);
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
    ranges_.append(Range{begin, text.size(), origins.value(i)});
  }
  text_ = std::move(text);
  live_bytes_ = bytes;
  for (qsizetype i = 0; i < size(); ++i) {
    if (const auto code = LongerCodeOf(at(i))) codes_.append({*code, i});
  }
  SortCodes();
}

void ExtraLines::Clear() {
  text_.clear();
  ranges_.clear();
  codes_.clear();
  live_bytes_ = 0;
}

QList<qsizetype> ExtraLines::LinesOf(const Code& code) const {
  QList<qsizetype> lines;
  for (qsizetype e = CodeEntry(code, 0); e < codes_.size() && codes_[e].code == code; ++e) {
    lines.append(codes_[e].line);
  }
  return lines;
}

std::optional<qsizetype> ExtraLines::DefiningLine(const Code& code) const {
  // The entry after the code's last one; the one before it, if it is the code's, wins.
  const auto after = std::upper_bound(
      codes_.begin(), codes_.end(), code,
      [](const Code& wanted, const CodeLine& entry) { return wanted < entry.code; });
  if (after == codes_.begin() || std::prev(after)->code != code) return std::nullopt;
  return std::prev(after)->line;
}

qsizetype ExtraLines::InsertionPoint(const Code& code) const {
  const qsizetype at = CodeEntry(code, 0);
  for (qsizetype e = at - 1; e >= 0; --e) {
    if (codes_[e].code.Length() == code.Length()) return codes_[e].line + 1;
  }
  for (qsizetype e = at; e < codes_.size(); ++e) {
    if (codes_[e].code.Length() == code.Length()) return codes_[e].line;
  }
  return size();
}

qsizetype ExtraLines::CodeEntry(const Code& code, qsizetype line) const {
  return std::lower_bound(codes_.begin(), codes_.end(), CodeLine{code, line}, Before) -
         codes_.begin();
}

void ExtraLines::IndexLine(qsizetype i) {
  if (const auto code = LongerCodeOf(at(i))) codes_.insert(CodeEntry(*code, i), {*code, i});
}

void ExtraLines::UnindexLine(qsizetype i) {
  const auto code = LongerCodeOf(at(i));
  if (!code) return;
  const qsizetype e = CodeEntry(*code, i);
  if (e < codes_.size() && codes_[e].line == i && codes_[e].code == *code) codes_.removeAt(e);
}

void ExtraLines::ShiftLines(qsizetype from, qsizetype by) {
  for (CodeLine& entry : codes_) {
    if (entry.line >= from) entry.line += by;
  }
}

void ExtraLines::Compact() {
  if (text_.size() <= 2 * live_bytes_ + 4096) return;
  QByteArray text;
  text.reserve(live_bytes_);
  for (Range& range : ranges_) {
    const qsizetype begin = text.size();
    text.append(QByteArrayView(text_).sliced(range.begin, range.end - range.begin));
    range = Range{begin, text.size(), range.origin};
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
