#include "ui/side/frm_extra.h"

#include "model/table_file.h"
#include "session/session.h"
#include "text/display_text.h"
#include "ui/side/side_widgets.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace orvane::ui::side {

frmExtra::frmExtra(session::Session& session, QWidget* parent)
    : QWidget(parent, kToolWindowFlags), session_(session), document_(session.Document()) {
  setObjectName(QStringLiteral("frmExtra"));
  setWindowTitle(QStringLiteral("Extra Lines Manager"));
  setFont(ControlFont());
  setFixedSize(Px(4440), Px(2625));
  BuildControls();
  Form_Load();
}

void frmExtra::BuildControls() {
  // The frame is only drawn around the list and the box; it is created first to lie under them.
  auto* frame = new QGroupBox(QStringLiteral("Extra Lines List"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setGeometry(TwipsRect(120, 120, 4215, 1935));
  lstExtra_ = new QListWidget(this);
  lstExtra_->setObjectName(QStringLiteral("lstExtra"));
  lstExtra_->setGeometry(TwipsRect(240, 360, 3975, 1230));
  txtLine_ = new QLineEdit(this);
  txtLine_->setObjectName(QStringLiteral("txtLine"));
  txtLine_->setGeometry(TwipsRect(240, 1680, 3975, 285));
  const ManagerButtons buttons = MakeManagerButtons(this);
  cmdUpdate_ = buttons.update;
  cmdAdd_ = buttons.add;
  cmdDel_ = buttons.del;
  cmdOk_ = buttons.ok;
  setTabOrder(lstExtra_, txtLine_);
  setTabOrder(txtLine_, cmdUpdate_);
  setTabOrder(cmdUpdate_, cmdAdd_);
  setTabOrder(cmdAdd_, cmdDel_);
  setTabOrder(cmdDel_, cmdOk_);

  connect(lstExtra_, &QListWidget::itemSelectionChanged, this, &frmExtra::lstExtra_Click);
  connect(lstExtra_, &QListWidget::itemClicked, this, &frmExtra::lstExtra_Click);
  connect(txtLine_, &QLineEdit::textChanged, this, &frmExtra::txtLine_Change);
  connect(cmdAdd_, &QPushButton::clicked, this, &frmExtra::cmdAdd_Click);
  connect(cmdUpdate_, &QPushButton::clicked, this, &frmExtra::cmdUpdate_Click);
  connect(cmdDel_, &QPushButton::clicked, this, &frmExtra::cmdDel_Click);
  connect(cmdOk_, &QPushButton::clicked, this, &frmExtra::cmdOk_Click);
}

void frmExtra::Form_Load() {
  rows_.clear();
  {
    const QSignalBlocker list_blocker(lstExtra_);
    const QSignalBlocker line_blocker(txtLine_);
    lstExtra_->clear();
    txtLine_->clear();
    for (int slot = 0; slot < model::kSlotCount; ++slot) {
      const QByteArray line = document_.GetExtraLine(slot).value_or(QByteArray());
      if (line.isEmpty()) continue;
      rows_.append(line);
      lstExtra_->addItem(ShownLine(line));
    }
  }
  cmdUpdate_->setEnabled(!rows_.isEmpty());
  cmdDel_->setEnabled(!rows_.isEmpty());
  cmdAdd_->setEnabled(false);
}

void frmExtra::lstExtra_Click() {
  const int row = SelectedRow(lstExtra_);
  if (row >= 0) txtLine_->setText(ShownLine(rows_[row]));
}

void frmExtra::txtLine_Change(const QString& text) { cmdAdd_->setEnabled(!text.isEmpty()); }

void frmExtra::cmdAdd_Click() {
  if (!txtLine_->text().isEmpty()) {
    if (rows_.size() >= model::kSlotCount) {
      ShowError(session_.Answers(),
                QStringLiteral("The table already holds %1 extra lines.").arg(model::kSlotCount));
      return;
    }
    const int selected = SelectedRow(lstExtra_);
    const auto line = ReadLine(selected < 0 ? QByteArray() : rows_[selected]);
    if (!line) return;
    rows_.append(*line);
    {
      const QSignalBlocker blocker(lstExtra_);
      lstExtra_->addItem(ShownLine(*line));
    }
    document_.SetModified(true);
  }
  cmdUpdate_->setEnabled(true);
  cmdDel_->setEnabled(true);
}

void frmExtra::cmdUpdate_Click() {
  const int row = SelectedRow(lstExtra_);
  if (row < 0) return;
  const auto line = ReadLine(rows_[row]);
  if (!line) return;
  rows_[row] = *line;
  lstExtra_->item(row)->setText(ShownLine(*line));
  document_.SetModified(true);
}

void frmExtra::cmdDel_Click() {
  const int row = SelectedRow(lstExtra_);
  if (row < 0) return;
  const int last = static_cast<int>(rows_.size()) - 1;
  {
    const QSignalBlocker blocker(lstExtra_);
    rows_[row] = rows_[last];
    lstExtra_->item(row)->setText(lstExtra_->item(last)->text());
    rows_.removeLast();
    delete lstExtra_->takeItem(last);
    // The row now shows another line; a second Delete or an Update must not hit it unseen.
    lstExtra_->clearSelection();
  }
  txtLine_->clear();
  document_.SetModified(true);
  if (rows_.isEmpty()) {
    cmdUpdate_->setEnabled(false);
    cmdDel_->setEnabled(false);
  }
}

void frmExtra::cmdOk_Click() {
  bool changed = false;
  for (int slot = 0; slot < model::kSlotCount; ++slot) {
    const QByteArray line = slot < rows_.size() ? rows_[slot] : QByteArray();
    changed = changed || document_.GetExtraLine(slot) != line;
    (void)document_.SetExtraLine(slot, line);
  }
  // The lines land in the table only now: a save since the edits did not hold them.
  if (changed) document_.SetModified(true);
  close();
}

QString frmExtra::ShownLine(const QByteArray& line) const {
  return text::DisplayText(line, document_.Encoding());
}

std::optional<QByteArray> frmExtra::ReadLine(const QByteArray& original) {
  auto line = TypedBytes(txtLine_->text(), original, document_.Encoding());
  if (!line) {
    ShowError(session_.Answers(),
              QStringLiteral("The line holds a character the table cannot store."));
    return std::nullopt;
  }
  // Such a line would come back from the file as a code, a mark or a bookmark, or stop the load.
  if (!line->isEmpty() && !model::ReadsAsExtraLine(*line)) {
    ShowError(session_.Answers(),
              QStringLiteral("The table file would read this line back as a code, "
                             "a special character or a bookmark, not as an extra "
                             "line."));
    return std::nullopt;
  }
  return line;
}

}  // namespace orvane::ui::side
