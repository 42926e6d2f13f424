#include "editing/extra_lines_draft.h"

namespace orvane::editing {

ExtraLinesDraft::ExtraLinesDraft(model::TableDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
  connect(&document_, &model::TableDocument::extraLinesChanged, this,
          &ExtraLinesDraft::TableLinesChanged);
  connect(&document_, &model::TableDocument::tableReset, this, &ExtraLinesDraft::TableLinesChanged);
}

void ExtraLinesDraft::TableLinesChanged() {
  // A reset of cells alone leaves the lines as they were: nothing to take, nothing to redraw.
  if (!open_ || applying_ || document_.GetExtraLines() == taken_from_) return;
  if (!HasPendingRows()) Revert();
}

void ExtraLinesDraft::Open() {
  open_ = true;
  Revert();
}

void ExtraLinesDraft::Close() {
  open_ = false;
  rows_.clear();
  origins_.clear();
  taken_.clear();
  taken_from_ = {};
  emit rowsChanged();
}

void ExtraLinesDraft::Add(const QByteArray& line) {
  rows_.append(line);
  origins_.append(0);
  emit edited();
  emit rowsChanged();
}

bool ExtraLinesDraft::Update(int row, const QByteArray& line) {
  if (row < 0 || row >= rows_.size()) return false;
  rows_[row] = line;
  emit edited();
  emit rowsChanged();
  return true;
}

bool ExtraLinesDraft::Delete(int row) {
  if (row < 0 || row >= rows_.size()) return false;
  rows_.removeAt(row);
  origins_.removeAt(row);
  emit edited();
  emit rowsChanged();
  return true;
}

void ExtraLinesDraft::Apply() {
  applying_ = true;
  document_.SetExtraLines(rows_, origins_);
  applying_ = false;
  // A row that defines a code of two to four bytes is that code now, on its page: it leaves the
  // list, which is the table's lines again.
  Revert();
}

void ExtraLinesDraft::Revert() {
  rows_.clear();
  origins_.clear();
  const model::ExtraLines& lines = document_.GetExtraLines();
  rows_.reserve(lines.size());
  origins_.reserve(lines.size());
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (lines.at(i).isEmpty()) continue;
    rows_.append(lines.at(i).toByteArray());
    origins_.append(lines.Origin(i));
  }
  taken_ = rows_;
  taken_from_ = lines;
  emit rowsReset();
  emit rowsChanged();
}

bool ExtraLinesDraft::HasPendingRows() const { return open_ && rows_ != taken_; }

}  // namespace orvane::editing
