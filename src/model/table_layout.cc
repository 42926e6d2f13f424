#include "model/file_lines.h"
#include "model/hex.h"
#include "model/table_line.h"
#include "model/table_writer.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orvane::model {
namespace {

bool IsMarkText(QByteArrayView text) { return text == "/" || text == "*"; }

QByteArray BookmarkLine(const Bookmark& bookmark) {
  return '(' + HexAddress(bookmark.address) + "h)" + bookmark.title;
}

}  // namespace

void TableWriter::Plan() {
  document_.Codes().ForEachDifference(layout_->codes,
                                      [this](const Code& code) { changed_.push_back(code); });
  line_count_ = layout_->line_count;
  if (keep_) ReadFile();
  PlanTopCodes();
  if (keep_) {
    for (int c = 0; c < kCodeCount; ++c) PlanSingleByte(static_cast<quint8>(c), code_lines_[c]);
    PlanBookmarks();
  }
  // Insertions before the line they precede, in the order they were planned.
  std::stable_sort(changes_.begin(), changes_.end(), [](const Change& a, const Change& b) {
    return a.line != b.line ? a.line < b.line : a.kind < b.kind;
  });
}

// The lines the top list leaves out (single bytes' codes, bookmarks, blank lines), read whole,
// and how the lines end.
void TableWriter::ReadFile() {
  std::array<qsizetype, 4> endings{};
  size_t top = 0;
  const std::vector<FileLayout::Line>& lines = layout_->lines;
  ForEachLine(layout_->Lines(), [&](QByteArrayView line, qsizetype number, LineEnding ending) {
    ++endings[static_cast<size_t>(ending)];
    final_ending_ = ending;
    if (top < lines.size() && lines[top].number == number) {
      ++top;
      return true;
    }
    const TableLine read = ReadTableLine(line);
    const qsizetype at = number - 1;
    if (read.form == LineForm::kCodeEntry || read.form == LineForm::kSpecial) {
      code_lines_[read.code.Last()].push_back({at, line, read});
    } else if (read.form == LineForm::kBookmark) {
      bookmark_lines_.push_back({at, line, read});
    }
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

// A line among the extra lines of a longer code or a control code keeps its place and what
// stands before "="; a code that is gone from them loses every line; a line a later one replaces
// stays as it was.
void TableWriter::PlanTopCodes() {
  const bool any = std::any_of(changed_.begin(), changed_.end(), [this](const Code& code) {
    return OnTop(code, document_.Codes().Find(code)) || OnTop(code, layout_->codes.Find(code));
  });
  if (!any) return;
  std::vector<CodeAt> defining;
  for (const FileLayout::Line& line : layout_->lines) {
    if (!line.IsCode()) continue;
    const QByteArrayView text = layout_->LineText(line);
    const TableLine read = ReadTableLine(text);
    const qsizetype at = qsizetype{line.number} - 1;
    if (!line.replaced) defining.push_back({read.code, at});
    if (!Changed(read.code)) continue;
    const std::optional<CodeView> now = document_.Codes().Find(read.code);
    if (!OnTop(read.code, now)) {
      Drop(at);
    } else if (!line.replaced) {
      Replace(at, CodeLineText(*now, Spelling(read.code, read.digits)));
    }
  }
  PlanNewTopCodes(defining);
}

// After the line of the nearest lower code of its length, or before the nearest higher one, or
// after the last extra line or longer code's line; new codes at one place in code order.
void TableWriter::PlanNewTopCodes(const std::vector<CodeAt>& lines) {
  std::vector<CodeAt> sorted = lines;
  std::sort(sorted.begin(), sorted.end(),
            [](const CodeAt& a, const CodeAt& b) { return a.code < b.code; });
  const qsizetype after_top = layout_->lines.empty() ? 0 : qsizetype{layout_->lines.back().number};
  for (const Code& code : changed_) {
    const std::optional<CodeView> now = document_.Codes().Find(code);
    if (!OnTop(code, now) || OnTop(code, layout_->codes.Find(code))) continue;
    QByteArray line = CodeLineText(*now, Spelling(code, code.Hex()));
    const auto higher =
        std::upper_bound(sorted.begin(), sorted.end(), code,
                         [](const Code& c, const CodeAt& at) { return c < at.code; });
    auto lower = higher;
    while (lower != sorted.begin() && std::prev(lower)->code.Length() != code.Length()) --lower;
    if (lower != sorted.begin()) {
      InsertBefore(std::prev(lower)->line + 1, std::move(line));
      continue;
    }
    auto next = higher;
    while (next != sorted.end() && next->code.Length() != code.Length()) ++next;
    InsertBefore(next != sorted.end() ? next->line : after_top, std::move(line));
  }
}

void TableWriter::PlanSingleByte(quint8 code, const std::vector<ReadLine>& lines) {
  // A control code's line stands among the extra lines: for these lines it is no code.
  const auto single = [code](std::optional<CodeView> view) {
    return OnTop(code, view) ? std::nullopt : view;
  };
  const std::optional<CodeView> now_view = single(document_.Codes().Find(code));
  const std::optional<CodeView> read_view = single(layout_->codes.Find(code));
  const CodeView now = now_view.value_or(CodeView{});
  const QByteArray digits = HexByte(code);
  const auto canonical = [&](const std::optional<CodeView>& view) {
    return view && !view->text.isEmpty() ? CodeLineText(*view, Spelling(code, digits))
                                         : QByteArray();
  };
  const QByteArray line = canonical(now_view);
  if (line == canonical(read_view)) return;
  if (lines.empty()) {
    PlanNewSingleByte(code, line);
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
      Replace(last.line, CodeLineText(now, Spelling(code, last.read.digits)));
    } else {  // a mark set adds its line after the code's
      if (last.read.text != now.text) Replace(last.line, prefix + now.text.toByteArray());
      InsertBefore(last.line + 1, line);
    }
    return;
  }
  const ReadLine* before = lines.size() > 1 ? &lines[lines.size() - 2] : nullptr;
  if (last.read.form == LineForm::kCodeEntry) {
    Replace(last.line, prefix + now.text.toByteArray());
  } else if (before != nullptr && before->read.form == LineForm::kCodeEntry) {
    // A mark cleared takes its own line away; the code's line before it says the rest.
    Drop(last.line);
    if (before->read.text != now.text) {
      Replace(before->line, before->text.first(3).toByteArray() + now.text.toByteArray());
    }
  } else {
    Replace(last.line, last.read.digits.toByteArray() + '=' + now.text.toByteArray());
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
void TableWriter::PlanNewSingleByte(quint8 code, const QByteArray& line) {
  for (int lower = code - 1; lower >= 0; --lower) {
    if (!code_lines_[lower].empty()) return InsertBefore(code_lines_[lower].back().line + 1, line);
  }
  for (int higher = code + 1; higher < kCodeCount; ++higher) {
    if (!code_lines_[higher].empty()) return InsertBefore(code_lines_[higher].front().line, line);
  }
  // No code of one byte: after the last line of a longer code.
  qsizetype after = line_count_;
  const auto last_code = std::find_if(layout_->lines.crbegin(), layout_->lines.crend(),
                                      [](const FileLayout::Line& at) { return at.IsCode(); });
  if (last_code != layout_->lines.crend()) after = last_code->number;
  InsertBefore(after, line);
}

// A bookmark stands on its own line, its title rewritten in place; a new one goes at the end.
// The file must list them in their slots' order, which a Remove changes (the last bookmark moves
// into the gap): from the first bookmark whose line comes before the one of the slot above it,
// they go at the end too.
void TableWriter::PlanBookmarks() {
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

}  // namespace orvane::model
