#include "model/table_document.h"

#include "model/table_line.h"
#include "orvane_version.h"

#include <algorithm>
#include <vector>

namespace orvane::model {

QString TitleSuffix() { return QStringLiteral(" - Orvane ") + QLatin1String(kVersion); }

std::optional<Code> FirstChangedCode(const TableState& a, const TableState& b) {
  for (int c = 0; c < kCodeCount; ++c) {
    const auto code = static_cast<size_t>(c);
    if (!(a.cells[code] == b.cells[code])) return static_cast<quint8>(c);
  }
  const qsizetype common = std::min(a.extra_lines.size(), b.extra_lines.size());
  qsizetype line = 0;
  while (line < common && a.extra_lines.at(line) == b.extra_lines.at(line)) ++line;
  for (const ExtraLines* lines : {&b.extra_lines, &a.extra_lines}) {
    if (line >= lines->size()) continue;
    const TableLine read = ReadTableLine(lines->at(line));
    if (read.form == LineForm::kCodeEntry || read.form == LineForm::kSpecial) return read.code;
  }
  return std::nullopt;
}

TableDocument::TableDocument(QObject* parent) : QObject(parent) {
  SetTablePath(QLatin1String(kUnnamed));
}

QByteArray TableDocument::GetCellText(const Code& code) const {
  if (code.IsSingleByte()) return cells_[code.Last()].text;
  const auto line = extra_lines_.DefiningLine(code);
  return line ? DefinedText(ReadTableLine(extra_lines_.at(*line))) : QByteArray();
}

bool TableDocument::IsSpecial(const Code& code) const {
  if (code.IsSingleByte()) return cells_[code.Last()].special;
  const auto line = extra_lines_.DefiningLine(code);
  return line && ReadTableLine(extra_lines_.at(*line)).form == LineForm::kSpecial;
}

bool TableDocument::HasWrittenMark(const Code& code) const {
  if (!IsSpecial(code)) return false;
  const QByteArray text = GetCellText(code);
  return text == "/" || text == "*";
}

QByteArray TableDocument::MarkLabel(const Code& code) const {
  if (code.IsSingleByte()) return cells_[code.Last()].label;
  const auto line = extra_lines_.DefiningLine(code);
  if (!line) return {};
  const TableLine read = ReadTableLine(extra_lines_.at(*line));
  return read.form == LineForm::kSpecial ? read.text.toByteArray() : QByteArray();
}

void TableDocument::SetCellText(const Code& code, const QByteArray& text) {
  if (code.IsSingleByte()) {
    cells_[code.Last()].text = text;
    NotifyCell(code);
    return;
  }
  const auto line = extra_lines_.DefiningLine(code);
  if (text.isEmpty()) {
    const QList<qsizetype> lines = extra_lines_.LinesOf(code);
    // Last line first, so that the earlier lines keep their places.
    for (qsizetype i = lines.size() - 1; i >= 0; --i) extra_lines_.Remove(lines[i]);
    if (lines.isEmpty()) return;
    NotifyCell(code);
    NotifyExtraLines();
    return;
  }
  if (!line) {
    extra_lines_.Insert(extra_lines_.InsertionPoint(code), code.Hex() + '=' + text);
    NotifyCell(code);
    NotifyExtraLines();
    return;
  }
  const TableLine read = ReadTableLine(extra_lines_.at(*line));
  // A mark line stands for its mark's text; any other text makes it an entry again.
  if (read.form == LineForm::kSpecial && text == QByteArray(1, read.mark)) return;
  RewriteCodeLine(code, *line, read.digits.toByteArray() + '=' + text);
}

void TableDocument::MarkSpecial(const Code& code) {
  if (code.IsSingleByte()) {
    CodeCell& cell = cells_[code.Last()];
    if (!cell.special) cell.label.clear();
    cell.special = true;
    NotifyCell(code);
    return;
  }
  const auto line = extra_lines_.DefiningLine(code);
  if (!line) return;
  const TableLine read = ReadTableLine(extra_lines_.at(*line));
  if (read.form != LineForm::kCodeEntry || (read.text != "/" && read.text != "*")) return;
  RewriteCodeLine(code, *line, read.text.toByteArray() + read.digits.toByteArray());
}

void TableDocument::UnmarkSpecial(const Code& code) {
  if (code.IsSingleByte()) {
    cells_[code.Last()].special = false;
    cells_[code.Last()].label.clear();
    NotifyCell(code);
    return;
  }
  const auto line = extra_lines_.DefiningLine(code);
  if (!line) return;
  const TableLine read = ReadTableLine(extra_lines_.at(*line));
  if (read.form != LineForm::kSpecial) return;
  RewriteCodeLine(code, *line, read.digits.toByteArray() + '=' + read.mark);
}

void TableDocument::SetMarkLabel(const Code& code, const QByteArray& label) {
  if (code.IsSingleByte()) {
    cells_[code.Last()].label = label;
    NotifyCell(code);
    return;
  }
  const auto line = extra_lines_.DefiningLine(code);
  if (!line) return;
  const TableLine read = ReadTableLine(extra_lines_.at(*line));
  if (read.form != LineForm::kSpecial) return;
  RewriteCodeLine(code, *line, read.mark + read.digits.toByteArray() + label);
}

void TableDocument::RewriteCodeLine(const Code& code, qsizetype line, const QByteArray& text) {
  if (extra_lines_.at(line) == text) return;
  extra_lines_.Replace(line, text);
  NotifyCell(code);
  NotifyExtraLines();
}

QList<PageCount> TableDocument::Pages() const {
  QList<PageCount> pages;
  for (const CodeIndex::Entry& entry : extra_lines_.Codes().Entries()) {
    const Page page = entry.code.PageOf();
    if (pages.isEmpty() || pages.constLast().page != page) pages.append(PageCount{page, 0});
    ++pages.last().codes;
  }
  return pages;
}

bool TableDocument::LeadsCodes(const Code& code) const {
  const std::optional<Page> led = PageLedBy(code);
  return led && extra_lines_.Codes().HoldsCodesOf(*led);
}

QList<Code> TableDocument::DefinedCodes() const {
  QList<Code> codes;
  for (int c = 0; c < kCodeCount; ++c) {
    if (!cells_[static_cast<size_t>(c)].text.isEmpty()) codes.append(static_cast<quint8>(c));
  }
  for (const CodeIndex::Entry& entry : extra_lines_.Codes().Entries()) codes.append(entry.code);
  return codes;
}

void TableDocument::ClearTable() {
  {
    BulkChange bulk(*this);
    cells_.fill(CodeCell{});
    bookmarks_.fill(Bookmark{});
    extra_lines_.Clear();
    bulk_dirty_ = true;
  }
  SetEncoding(text::Encoding::kEucJp);
  form_ = text::FileForm::kPlain;
  layout_.reset();
  SetModified(false);
}

void TableDocument::SetModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  emit modifiedChanged(modified_);
}

int TableDocument::BookmarkCount() const {
  return static_cast<int>(std::count_if(bookmarks_.begin(), bookmarks_.end(),
                                        [](const Bookmark& b) { return !b.title.isEmpty(); }));
}

std::optional<Bookmark> TableDocument::GetBookmark(int slot) const {
  if (!ValidSlot(slot)) return std::nullopt;
  return bookmarks_[static_cast<size_t>(slot)];
}

bool TableDocument::SetBookmark(int slot, qint32 address, const QByteArray& title,
                                qsizetype origin) {
  if (!ValidSlot(slot)) return false;
  bookmarks_[static_cast<size_t>(slot)] = Bookmark{address, title, origin};
  if (InBulkChange()) {
    bulk_dirty_ = true;
  } else {
    emit bookmarksChanged();
  }
  return true;
}

bool TableDocument::ClearBookmark(int slot) { return SetBookmark(slot, 0, QByteArray()); }

bool TableDocument::AddBookmark(qint32 address, const QByteArray& title) {
  return !title.isEmpty() && SetBookmark(BookmarkCount(), address, title);
}

bool TableDocument::ReplaceBookmark(int slot, qint32 address, const QByteArray& title) {
  return !title.isEmpty() && slot >= 0 && slot < BookmarkCount() &&
         SetBookmark(slot, address, title, bookmarks_[static_cast<size_t>(slot)].origin);
}

bool TableDocument::RemoveBookmark(int slot) {
  const int last = BookmarkCount() - 1;
  if (slot < 0 || slot > last) return false;
  const Bookmark moved = bookmarks_[static_cast<size_t>(last)];
  return SetBookmark(slot, moved.address, moved.title, moved.origin) && ClearBookmark(last);
}

int TableDocument::ExtraLineCount() const { return static_cast<int>(extra_lines_.NonEmptyCount()); }

std::optional<QByteArray> TableDocument::GetExtraLine(qsizetype slot) const {
  if (slot < 0 || slot >= extra_lines_.size()) return std::nullopt;
  return extra_lines_.at(slot).toByteArray();
}

bool TableDocument::SetExtraLine(qsizetype slot, const QByteArray& text) {
  if (slot < 0 || slot > extra_lines_.size()) return false;
  if (slot == extra_lines_.size()) {
    extra_lines_.Append(text);
  } else {
    extra_lines_.Replace(slot, text);
  }
  NotifyExtraLines();
  return true;
}

void TableDocument::AppendExtraLine(QByteArrayView text) {
  extra_lines_.Append(text);
  NotifyExtraLines();
}

void TableDocument::AddExtraLines(const ExtraLines& lines) {
  if (lines.size() == 0) return;
  if (extra_lines_.size() == 0) {
    extra_lines_ = lines;
  } else {
    for (qsizetype i = 0; i < lines.size(); ++i) extra_lines_.Append(lines.at(i));
  }
  NotifyExtraLines();
}

void TableDocument::SetExtraLines(const QList<QByteArray>& lines, const QList<qsizetype>& origins) {
  extra_lines_.Assign(lines, origins);
  NotifyExtraLines();
}

void TableDocument::NotifyExtraLines() {
  if (InBulkChange()) {
    bulk_dirty_ = true;
  } else {
    emit extraLinesChanged();
  }
}

void TableDocument::SetTablePath(const QString& path) {
  table_path_ = path;
  SetWindowTitle(path + TitleSuffix());
}

void TableDocument::SetWindowTitle(const QString& title) {
  if (window_title_ == title) return;
  window_title_ = title;
  emit windowTitleChanged(window_title_);
}

void TableDocument::SetEncoding(text::Encoding encoding) {
  if (encoding_ == encoding) return;
  encoding_ = encoding;
  // Inside a bulk change the bytes may not be the new encoding's yet.
  if (InBulkChange()) {
    encoding_changed_ = true;
  } else {
    emit encodingChanged(encoding_);
  }
}

TableState TableDocument::Snapshot() const {
  return TableState{cells_, bookmarks_, extra_lines_, encoding_, form_, layout_};
}

void TableDocument::Restore(const TableState& state, bool with_encoding) {
  std::vector<quint8> changed;  // single bytes; a longer code's change is a change of the lines
  for (int c = 0; c < kCodeCount; ++c) {
    const auto code = static_cast<quint8>(c);
    if (!(cells_[code] == state.cells[code])) changed.push_back(code);
  }
  const bool stores_changed = bookmarks_ != state.bookmarks || !(extra_lines_ == state.extra_lines);
  if (changed.size() == 1 && !stores_changed) {
    cells_[changed.front()] = state.cells[changed.front()];
    NotifyCell(changed.front());
  } else if (!changed.empty() || stores_changed) {
    const BulkChange bulk(*this);
    cells_ = state.cells;
    bookmarks_ = state.bookmarks;
    extra_lines_ = state.extra_lines;
    bulk_dirty_ = true;
  }
  if (with_encoding) {
    form_ = state.form;
    layout_ = state.layout;
    SetEncoding(state.encoding);
  }
}

void TableDocument::NotifyCell(const Code& code) {
  if (InBulkChange()) {
    bulk_dirty_ = true;
  } else {
    emit cellChanged(code);
  }
}

void TableDocument::EndBulk() {
  if (--bulk_depth_ > 0) return;
  if (bulk_dirty_) {
    bulk_dirty_ = false;
    emit tableReset();
  }
  if (encoding_changed_) {
    encoding_changed_ = false;
    emit encodingChanged(encoding_);
  }
}

}  // namespace orvane::model
