#include "model/table_document.h"

#include "orvane_version.h"

#include <algorithm>
#include <vector>

namespace orvane::model {

QString TitleSuffix() { return QStringLiteral(" - Orvane ") + QLatin1String(kVersion); }

TableDocument::TableDocument(QObject* parent) : QObject(parent) {
  SetTablePath(QLatin1String(kUnnamed));
}

void TableDocument::SetCellText(quint8 code, const QByteArray& text) {
  cells_[code].text = text;
  NotifyCell(code);
}

void TableDocument::MarkSpecial(quint8 code) {
  CodeCell& cell = cells_[code];
  if (!cell.special) cell.label.clear();
  cell.special = true;
  NotifyCell(code);
}

void TableDocument::UnmarkSpecial(quint8 code) {
  cells_[code].special = false;
  cells_[code].label.clear();
  NotifyCell(code);
}

void TableDocument::SetMarkLabel(quint8 code, const QByteArray& label) {
  cells_[code].label = label;
  NotifyCell(code);
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

bool TableDocument::SetBookmark(int slot, qint32 address, const QByteArray& title) {
  if (!ValidSlot(slot)) return false;
  bookmarks_[static_cast<size_t>(slot)] = Bookmark{address, title};
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
         SetBookmark(slot, address, title);
}

bool TableDocument::RemoveBookmark(int slot) {
  const int last = BookmarkCount() - 1;
  if (slot < 0 || slot > last) return false;
  const Bookmark moved = bookmarks_[static_cast<size_t>(last)];
  return SetBookmark(slot, moved.address, moved.title) && ClearBookmark(last);
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

void TableDocument::SetExtraLines(const QList<QByteArray>& lines) {
  extra_lines_.Assign(lines);
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
  return TableState{cells_, bookmarks_, extra_lines_, encoding_, form_};
}

void TableDocument::Restore(const TableState& state, bool with_encoding) {
  std::vector<quint8> changed;
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
    SetEncoding(state.encoding);
  }
}

void TableDocument::NotifyCell(quint8 code) {
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
