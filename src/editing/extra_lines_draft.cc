#include "editing/extra_lines_draft.h"

namespace orvane::editing {

ExtraLinesDraft::ExtraLinesDraft(model::TableDocument& document, QObject* parent)
    : QObject(parent), document_(document) {}

void ExtraLinesDraft::Open() {
  open_ = true;
  Revert();
}

void ExtraLinesDraft::Close() {
  open_ = false;
  rows_.clear();
}

void ExtraLinesDraft::Add(const QByteArray& line) {
  rows_.append(line);
  document_.SetModified(true);
}

bool ExtraLinesDraft::Update(int row, const QByteArray& line) {
  if (row < 0 || row >= rows_.size()) return false;
  rows_[row] = line;
  document_.SetModified(true);
  return true;
}

bool ExtraLinesDraft::Delete(int row) {
  if (row < 0 || row >= rows_.size()) return false;
  rows_[row] = rows_.constLast();
  rows_.removeLast();
  document_.SetModified(true);
  return true;
}

void ExtraLinesDraft::Apply() {
  const bool changed = HasPendingRows();
  for (int slot = 0; slot < model::kSlotCount; ++slot) {
    (void)document_.SetExtraLine(slot, SlotText(slot));
  }
  // The lines land in the table only now: a save since the edits did not hold them.
  if (changed) document_.SetModified(true);
}

void ExtraLinesDraft::Revert() {
  rows_.clear();
  for (int slot = 0; slot < model::kSlotCount; ++slot) {
    const QByteArray line = document_.GetExtraLine(slot).value_or(QByteArray());
    if (!line.isEmpty()) rows_.append(line);
  }
  emit rowsReset();
}

bool ExtraLinesDraft::HasPendingRows() const {
  if (!open_) return false;
  for (int slot = 0; slot < model::kSlotCount; ++slot) {
    if (document_.GetExtraLine(slot) != SlotText(slot)) return true;
  }
  return false;
}

QByteArray ExtraLinesDraft::SlotText(int slot) const {
  return slot < rows_.size() ? rows_[slot] : QByteArray();
}

}  // namespace orvane::editing
