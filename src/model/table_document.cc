#include "model/table_document.h"

#include "model/table_line.h"
#include "orvane_version.h"

#include <algorithm>

namespace orvane::model {

QString TitleSuffix() { return QStringLiteral(" - Orvane ") + QLatin1String(kVersion); }

std::optional<Code> FirstChangedCode(const TableState& a, const TableState& b) {
  return a.codes.FirstDifference(b.codes);
}

TableDocument::TableDocument(QObject* parent) : QObject(parent) {
  SetTablePath(QLatin1String(kUnnamed));
}

bool TableDocument::IsSpecial(const Code& code) const {
  const auto view = codes_.Find(code);
  return view && view->special;
}

bool TableDocument::HasWrittenMark(const Code& code) const {
  const auto view = codes_.Find(code);
  return view && view->special && (view->text == "/" || view->text == "*");
}

QByteArray TableDocument::MarkLabel(const Code& code) const {
  const auto view = codes_.Find(code);
  return view && view->special ? view->label.toByteArray() : QByteArray();
}

std::optional<CodeEntry> TableDocument::Entry(const Code& code) const {
  const auto view = codes_.Find(code);
  if (!view) return std::nullopt;
  return view->Entry();
}

void TableDocument::SetEntry(const Code& code, const std::optional<CodeEntry>& entry) {
  const auto now = codes_.Find(code);
  if (!entry) {
    if (!now) return;
    codes_.Erase(code);
  } else {
    if (now && now->Entry() == *entry) return;
    codes_.Set(code, *entry);
  }
  NotifyCell(code);
}

void TableDocument::SetCellText(const Code& code, const QByteArray& text) {
  std::optional<CodeEntry> entry = Entry(code);
  if (!entry) entry = CodeEntry{};
  // A longer code's mark is its line's form: any other text makes that line an entry again.
  if (!code.IsSingleByte() && entry->special && text != "/" && text != "*") {
    entry->special = false;
    entry->label.clear();
  }
  entry->text = text;
  if (text.isEmpty() && !(code.IsSingleByte() && entry->special)) entry.reset();
  SetEntry(code, entry);
}

void TableDocument::MarkSpecial(const Code& code) {
  std::optional<CodeEntry> entry = Entry(code);
  if (code.IsSingleByte()) {
    if (!entry) entry = CodeEntry{};
    if (!entry->special) entry->label.clear();
  } else if (!entry || (entry->text != "/" && entry->text != "*")) {
    return;
  }
  entry->special = true;
  SetEntry(code, entry);
}

void TableDocument::UnmarkSpecial(const Code& code) {
  std::optional<CodeEntry> entry = Entry(code);
  if (!entry || !entry->special) return;
  entry->special = false;
  entry->label.clear();
  if (entry->text.isEmpty() && code.IsSingleByte()) entry.reset();
  SetEntry(code, entry);
}

void TableDocument::SetMarkLabel(const Code& code, const QByteArray& label) {
  std::optional<CodeEntry> entry = Entry(code);
  if (!entry || !entry->special) return;
  entry->label = label;
  SetEntry(code, entry);
}

QList<Code> TableDocument::DefinedCodes() const {
  QList<Code> codes;
  codes.reserve(codes_.Count());
  codes_.ForEach([&codes](const Code& code, const CodeView&) { codes.append(code); });
  return codes;
}

void TableDocument::ClearTable() {
  {
    BulkChange bulk(*this);
    codes_.Clear();
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

bool TableDocument::DefinesLongerCode(QByteArrayView line) {
  const TableLine read = ReadTableLine(line);
  if (read.form != LineForm::kCodeEntry && read.form != LineForm::kSpecial) return false;
  if (read.code.IsSingleByte()) return false;
  const bool mark = read.form == LineForm::kSpecial;
  const QByteArrayView label = read.text.startsWith('=') ? read.text.sliced(1) : read.text;
  SetEntry(read.code, mark ? CodeEntry{QByteArray(1, read.mark), true, label.toByteArray()}
                           : CodeEntry{read.text.toByteArray(), false, {}});
  return true;
}

bool TableDocument::SetExtraLine(qsizetype slot, const QByteArray& text) {
  if (slot < 0 || slot > extra_lines_.size()) return false;
  if (DefinesLongerCode(text)) {
    if (slot == extra_lines_.size()) return true;
    extra_lines_.Replace(slot, {});
  } else if (slot == extra_lines_.size()) {
    extra_lines_.Append(text);
  } else {
    extra_lines_.Replace(slot, text);
  }
  NotifyExtraLines();
  return true;
}

void TableDocument::AppendExtraLine(QByteArrayView text) {
  if (DefinesLongerCode(text)) return;
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

void TableDocument::AddCodes(const CodeStore& codes) {
  if (codes.IsEmpty()) return;
  const BulkChange bulk(*this);
  if (codes_.IsEmpty()) {
    codes_ = codes;
  } else {
    codes.ForEach(
        [this](const Code& code, const CodeView& view) { codes_.Set(code, view.Entry()); });
  }
  bulk_dirty_ = true;
}

void TableDocument::SetCodes(const CodeStore& codes) {
  const BulkChange bulk(*this);
  codes_ = codes;
  bulk_dirty_ = true;
}

void TableDocument::SetExtraLines(const QList<QByteArray>& lines, const QList<qsizetype>& origins) {
  const auto defines = [](const QByteArray& line) {
    const TableLine read = ReadTableLine(line);
    return (read.form == LineForm::kCodeEntry || read.form == LineForm::kSpecial) &&
           !read.code.IsSingleByte();
  };
  // Codes set among the lines are one change of the table, shown once.
  std::optional<BulkChange> bulk;
  if (std::any_of(lines.begin(), lines.end(), defines)) bulk.emplace(*this);
  QList<QByteArray> kept;
  QList<qsizetype> kept_origins;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (DefinesLongerCode(lines[i])) continue;
    kept.append(lines[i]);
    kept_origins.append(origins.value(i));
  }
  extra_lines_.Assign(kept, kept_origins);
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
  return TableState{codes_, bookmarks_, extra_lines_, encoding_, form_, layout_};
}

void TableDocument::Restore(const TableState& state, bool with_encoding) {
  std::optional<Code> changed;
  qsizetype count = 0;
  codes_.ForEachDifference(state.codes, [&](const Code& code) {
    if (++count == 1) changed = code;
  });
  const bool stores_changed = bookmarks_ != state.bookmarks || !(extra_lines_ == state.extra_lines);
  if (count == 1 && !stores_changed) {
    codes_ = state.codes;
    NotifyCell(*changed);
  } else if (count > 0 || stores_changed) {
    const BulkChange bulk(*this);
    codes_ = state.codes;
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
