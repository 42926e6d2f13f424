#include "model/table_layout.h"

#include "model/file_lines.h"
#include "model/hex.h"
#include "model/table_file.h"
#include "model/table_line.h"
#include "text/codec.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orvane::model {
namespace {

// What a line of the file is to the writer. Most lines of a large table are extra lines (codes of
// two bytes, comments), told apart from the rest without reading them whole.
enum class LineKind : quint8 { kBlank, kExtra, kCode, kBookmark };

LineKind KindOf(QByteArrayView line, TableLine* read) {
  if (line.isEmpty()) return LineKind::kBlank;
  const bool maybe =
      (line.size() >= 3 && line[2] == '=') || line[0] == '/' || line[0] == '*' || line[0] == '(';
  if (!maybe) return LineKind::kExtra;
  *read = ReadTableLine(line);
  switch (read->form) {
    case LineForm::kCodeEntry:
    case LineForm::kSpecial:
      return read->code.IsSingleByte() ? LineKind::kCode : LineKind::kExtra;
    case LineForm::kBookmark:
      return LineKind::kBookmark;
    default:
      return LineKind::kExtra;
  }
}

// The line the canonical writer gives a cell, which is what a file line must read back as.
QByteArray CanonicalLine(quint8 code, const CodeCell& cell) {
  if (cell.text.isEmpty()) return {};
  if (cell.special && (cell.text == "/" || cell.text == "*")) {
    return cell.text + HexByte(code) + cell.label;
  }
  return HexByte(code) + '=' + cell.text;
}

bool IsMarkText(QByteArrayView text) { return text == "/" || text == "*"; }

QByteArray BookmarkLine(const Bookmark& bookmark) {
  return '(' + HexAddress(bookmark.address) + "h)" + bookmark.title;
}

// A change to a line of the file (numbered from 0): replaced or dropped, or a new line before it
// (before the file's size: after the last line). Sorted by line, the writer meets each once.
struct Change {
  enum Kind { kInsertBefore, kReplace, kDrop };
  qsizetype line;
  Kind kind;
  QByteArray text;
};

// A line of the file that a single-byte code or a bookmark stands on, read whole.
struct ReadLine {
  qsizetype line;
  QByteArrayView text;
  TableLine read;
};

// Plans what becomes of the file's code and bookmark lines, then writes the file line by line,
// the extra lines merged in on the way: every line is read twice, and only those few whole.
class LayoutWriter {
 public:
  LayoutWriter(const TableDocument& document, const FileLayout& layout);
  [[nodiscard]] QByteArray Write();

 private:
  [[nodiscard]] QByteArrayView Lines() const {
    return QByteArrayView(layout_.text).sliced(layout_.start);
  }
  void PlanCode(quint8 code, const std::vector<ReadLine>& lines);
  void PlanNewCode(quint8 code, const QByteArray& line);
  void PlanBookmarks();
  void Replace(qsizetype line, QByteArray text) {
    changes_.push_back({line, Change::kReplace, std::move(text)});
  }
  void Drop(qsizetype line) { changes_.push_back({line, Change::kDrop, {}}); }
  void InsertBefore(qsizetype line, QByteArray text) {
    changes_.push_back({line, Change::kInsertBefore, std::move(text)});
  }

  const TableDocument& document_;
  const FileLayout& layout_;
  qsizetype line_count_ = 0;
  LineEnding final_ending_ = LineEnding::kNone;
  std::array<std::vector<ReadLine>, kCodeCount> code_lines_;
  std::vector<ReadLine> bookmark_lines_;
  std::vector<Change> changes_;
  QList<QByteArray> new_bookmarks_;
  LineEnding usual_ending_ = LineEnding::kCrLf;
};

LayoutWriter::LayoutWriter(const TableDocument& document, const FileLayout& layout)
    : document_(document), layout_(layout) {
  std::array<qsizetype, 4> endings{};
  ForEachLine(Lines(), [&](QByteArrayView line, qsizetype number, LineEnding ending) {
    TableLine read;
    const LineKind kind = KindOf(line, &read);
    const qsizetype at = number - 1;
    if (kind == LineKind::kCode) code_lines_[read.code.Last()].push_back({at, line, read});
    if (kind == LineKind::kBookmark) bookmark_lines_.push_back({at, line, read});
    ++endings[static_cast<size_t>(ending)];
    line_count_ = number;
    final_ending_ = ending;
    return true;
  });
  // New lines take the end most lines have; CR LF, the format's own, when none has one.
  qsizetype most = 0;
  for (const LineEnding ending : {LineEnding::kCrLf, LineEnding::kLf, LineEnding::kCr}) {
    if (endings[static_cast<size_t>(ending)] > most) {
      most = endings[static_cast<size_t>(ending)];
      usual_ending_ = ending;
    }
  }
}

QByteArray LayoutWriter::Write() {
  for (int c = 0; c < kCodeCount; ++c) PlanCode(static_cast<quint8>(c), code_lines_[c]);
  PlanBookmarks();
  // Insertions before the line they precede, in the order they were planned.
  std::stable_sort(changes_.begin(), changes_.end(), [](const Change& a, const Change& b) {
    return a.line != b.line ? a.line < b.line : a.kind < b.kind;
  });
  QByteArray bytes;
  bytes.reserve(layout_.text.size() + 256);
  // Most lines are written as the file has them, with their ends: those are copied in runs.
  const char* copied_to = Lines().data();  // the file's bytes before this are written or left out
  const char* keep_to = copied_to;         // and from there to here are to be written as they are
  QByteArrayView last_end;
  QByteArrayView kept_end;
  const auto flush = [&] {
    if (keep_to == copied_to) return;
    bytes.append(QByteArrayView(copied_to, keep_to));
    copied_to = keep_to;
    last_end = kept_end;
  };
  const auto add = [&](QByteArrayView text, LineEnding ending) {
    flush();
    last_end = LineEndingBytes(ending == LineEnding::kNone ? usual_ending_ : ending);
    bytes.append(text).append(last_end);
  };
  // An extra line of the table stands on the line it came from; one added since, after the line
  // of the extra line before it. A line no extra line comes from any more is gone.
  const ExtraLines& extra = document_.GetExtraLines();
  qsizetype next_extra = 0;
  const auto add_new_extra_lines = [&](qsizetype before) {
    for (; next_extra < extra.size(); ++next_extra) {
      const qsizetype origin = extra.Origin(next_extra);
      if (origin > before && origin <= line_count_) return;
      if (!extra.at(next_extra).isEmpty()) add(extra.at(next_extra), usual_ending_);
    }
  };
  auto change = changes_.cbegin();
  add_new_extra_lines(0);
  ForEachLine(Lines(), [&](QByteArrayView line, qsizetype number, LineEnding ending) {
    const qsizetype at = number - 1;
    const QByteArrayView as_read = line;
    const char* const next = line.data() + line.size() + LineEndingBytes(ending).size();
    TableLine read;
    const bool extra_line = KindOf(line, &read) == LineKind::kExtra;
    bool dropped = false;
    for (; change != changes_.cend() && change->line == at; ++change) {
      if (change->kind == Change::kInsertBefore) add(change->text, usual_ending_);
      if (change->kind == Change::kReplace) line = change->text;
      if (change->kind == Change::kDrop) dropped = true;
    }
    if (extra_line) {
      dropped = next_extra == extra.size() || extra.Origin(next_extra) != number;
      if (!dropped) {
        line = extra.at(next_extra++);
        dropped = line.isEmpty();
      }
    }
    // A last line without an end gets one when more follows it, so it is never kept as read.
    if (!dropped && ending != LineEnding::kNone && line == as_read) {
      keep_to = next;
      kept_end = LineEndingBytes(ending);
    } else {
      if (!dropped) add(line, ending);
      flush();
      copied_to = keep_to = next;
    }
    add_new_extra_lines(number);
    return true;
  });
  for (; change != changes_.cend(); ++change) add(change->text, usual_ending_);
  for (const QByteArray& line : new_bookmarks_) {
    add({}, usual_ending_);
    add(line, usual_ending_);
  }
  flush();
  // Each line keeps its end; a file without a final line end keeps having none.
  if (line_count_ > 0 && final_ending_ == LineEnding::kNone) bytes.chop(last_end.size());
  return bytes;
}

void LayoutWriter::PlanCode(quint8 code, const std::vector<ReadLine>& lines) {
  const CodeCell now{document_.GetCellText(code), document_.IsSpecial(code),
                     document_.MarkLabel(code)};
  const QByteArray line = CanonicalLine(code, now);
  if (line == CanonicalLine(code, layout_.cells[code])) return;
  if (lines.empty()) {
    PlanNewCode(code, line);
    return;
  }
  if (line.isEmpty()) {  // a code whose text is gone loses every line
    for (const ReadLine& at : lines) Drop(at.line);
    return;
  }
  const ReadLine& last = lines.back();
  const QByteArray prefix = last.text.first(3).toByteArray();  // "0a=" as the file spells it
  if (now.special && IsMarkText(now.text)) {
    if (last.read.form == LineForm::kSpecial) {
      Replace(last.line, now.text + last.read.digits.toByteArray() + now.label);
    } else {  // a mark set adds its line after the code's
      if (last.read.text != now.text) Replace(last.line, prefix + now.text);
      InsertBefore(last.line + 1, line);
    }
    return;
  }
  const ReadLine* before = lines.size() > 1 ? &lines[lines.size() - 2] : nullptr;
  if (last.read.form == LineForm::kCodeEntry) {
    Replace(last.line, prefix + now.text);
  } else if (before != nullptr && before->read.form == LineForm::kCodeEntry) {
    // A mark cleared takes its own line away; the code's line before it says the rest.
    Drop(last.line);
    if (before->read.text != now.text) {
      Replace(before->line, before->text.first(3).toByteArray() + now.text);
    }
  } else {
    Replace(last.line, last.read.digits.toByteArray() + '=' + now.text);
  }
  // An earlier mark line would mark "/" or "*" again on reading.
  if (IsMarkText(now.text)) {
    for (const ReadLine& at : lines) {
      if (at.line != last.line && at.read.form == LineForm::kSpecial) Drop(at.line);
    }
  }
}

// After the line of the nearest lower code, or before the nearest higher one, or after the last
// line of any code, or at the end.
void LayoutWriter::PlanNewCode(quint8 code, const QByteArray& line) {
  for (int lower = code - 1; lower >= 0; --lower) {
    if (!code_lines_[lower].empty()) return InsertBefore(code_lines_[lower].back().line + 1, line);
  }
  for (int higher = code + 1; higher < kCodeCount; ++higher) {
    if (!code_lines_[higher].empty()) return InsertBefore(code_lines_[higher].front().line, line);
  }
  // No code of one byte: after the last line of a longer code, read for it only now.
  qsizetype after = line_count_;
  ForEachLine(Lines(), [&](QByteArrayView text, qsizetype number, LineEnding) {
    const LineForm form = ReadTableLine(text).form;
    if (form == LineForm::kCodeEntry || form == LineForm::kSpecial) after = number;
    return true;
  });
  InsertBefore(after, line);
}

// A bookmark stands on its own line, its title rewritten in place; a new one goes at the end.
// The file must list them in their slots' order, which a Remove changes (the last bookmark moves
// into the gap): from the first bookmark whose line comes before the one of the slot above it,
// they go at the end too.
void LayoutWriter::PlanBookmarks() {
  std::vector<bool> held(bookmark_lines_.size());
  qsizetype last_held = -1;
  bool to_end = false;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const Bookmark bookmark = document_.GetBookmark(slot).value_or(Bookmark{});
    if (bookmark.title.isEmpty()) continue;
    const auto at =
        std::find_if(bookmark_lines_.begin(), bookmark_lines_.end(),
                     [&](const ReadLine& line) { return line.line + 1 == bookmark.origin; });
    const size_t index = static_cast<size_t>(at - bookmark_lines_.begin());
    if (bookmark.origin <= 0 || at == bookmark_lines_.end() || held[index]) {
      new_bookmarks_.append(BookmarkLine(bookmark));
      to_end = true;
      continue;
    }
    const bool unchanged = at->read.address == bookmark.address && at->read.title == bookmark.title;
    QByteArray text =
        unchanged ? at->text.toByteArray()
        : at->read.address == bookmark.address
            ? at->text.first(at->text.size() - at->read.title.size()).toByteArray() + bookmark.title
            : BookmarkLine(bookmark);
    to_end = to_end || at->line < last_held;
    if (to_end) {
      new_bookmarks_.append(std::move(text));
      continue;
    }
    held[index] = true;
    last_held = at->line;
    if (!unchanged) Replace(at->line, std::move(text));
  }
  for (size_t i = 0; i < bookmark_lines_.size(); ++i) {
    if (!held[i]) Drop(bookmark_lines_[i].line);
  }
}

}  // namespace

QByteArray LayoutToBytes(const TableDocument& document, const FileLayout& layout) {
  return LayoutWriter(document, layout).Write();
}

std::shared_ptr<const FileLayout> ConvertLayout(const FileLayout& layout, text::Encoding from,
                                                text::Encoding to) {
  auto converted = std::make_shared<FileLayout>(layout);
  converted->text = layout.text.first(layout.start);
  ForEachLine(QByteArrayView(layout.text).sliced(layout.start),
              [&](QByteArrayView line, qsizetype, LineEnding ending) {
                converted->text.append(text::Convert(line, from, to).value_or(line.toByteArray()));
                converted->text.append(LineEndingBytes(ending));
                return true;
              });
  return converted;
}

}  // namespace orvane::model
