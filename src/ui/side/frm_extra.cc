#include "ui/side/frm_extra.h"

#include "model/table_line.h"
#include "session/session.h"
#include "text/display_text.h"
#include "ui/side/side_widgets.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace orvane::ui::side {

frmExtra::frmExtra(session::Session& session, QWidget* parent)
    : QWidget(parent, kToolWindowFlags),
      session_(session),
      document_(session.Document()),
      draft_(session.ExtraLines()) {
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
  txtLine_ = MakeTextBox(this, QStringLiteral("txtLine"), TwipsRect(240, 1680, 3975, 285));
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
  connect(&draft_, &editing::ExtraLinesDraft::rowsReset, this, &frmExtra::ShowRows);
  connect(&document_, &model::TableDocument::encodingChanged, this, &frmExtra::ShowRowTexts);
}

void frmExtra::Form_Load() { draft_.Open(); }

void frmExtra::ShowRows() {
  const QList<QByteArray>& rows = draft_.Rows();
  {
    const QSignalBlocker list_blocker(lstExtra_);
    const QSignalBlocker line_blocker(txtLine_);
    lstExtra_->clear();
    txtLine_->clear();
    for (const QByteArray& line : rows) lstExtra_->addItem(ShownLine(line));
  }
  cmdUpdate_->setEnabled(!rows.isEmpty());
  cmdDel_->setEnabled(!rows.isEmpty());
  cmdAdd_->setEnabled(false);
}

void frmExtra::ShowRowTexts() {
  const QList<QByteArray>& rows = draft_.Rows();
  const int count = static_cast<int>(std::min<qsizetype>(lstExtra_->count(), rows.size()));
  for (int row = 0; row < count; ++row) {
    lstExtra_->item(row)->setText(ShownLine(rows[row]));
  }
}

void frmExtra::closeEvent(QCloseEvent* event) {
  draft_.Close();
  QWidget::closeEvent(event);
}

void frmExtra::lstExtra_Click() {
  const int row = SelectedRow(lstExtra_);
  if (row >= 0) txtLine_->setText(ShownLine(draft_.Rows()[row]));
}

void frmExtra::txtLine_Change(const QString& text) { cmdAdd_->setEnabled(!text.isEmpty()); }

void frmExtra::cmdAdd_Click() {
  if (!txtLine_->text().isEmpty()) {
    const int selected = SelectedRow(lstExtra_);
    const auto line = ReadLine(selected < 0 ? QByteArray() : draft_.Rows()[selected]);
    if (!line) return;
    draft_.Add(*line);
    const QSignalBlocker blocker(lstExtra_);
    lstExtra_->addItem(ShownLine(*line));
  }
  cmdUpdate_->setEnabled(true);
  cmdDel_->setEnabled(true);
}

void frmExtra::cmdUpdate_Click() {
  const int row = SelectedRow(lstExtra_);
  if (row < 0) return;
  const auto line = ReadLine(draft_.Rows()[row]);
  if (!line || !draft_.Update(row, *line)) return;
  lstExtra_->item(row)->setText(ShownLine(*line));
}

void frmExtra::cmdDel_Click() {
  const int row = SelectedRow(lstExtra_);
  if (row < 0 || !draft_.Delete(row)) return;
  {
    const QSignalBlocker blocker(lstExtra_);
    delete lstExtra_->takeItem(row);
    // The row now shows another line; a second Delete or an Update must not hit it unseen.
    lstExtra_->clearSelection();
  }
  txtLine_->clear();
  if (draft_.Rows().isEmpty()) {
    cmdUpdate_->setEnabled(false);
    cmdDel_->setEnabled(false);
  }
}

void frmExtra::cmdOk_Click() {
  session_.ApplyExtraLines();
  close();
}

QString frmExtra::ShownLine(const QByteArray& line) const {
  return text::DisplayText(line, document_.Encoding());
}

std::optional<QByteArray> frmExtra::ReadLine(const QByteArray& original) {
  auto line = TypedBytes(txtLine_->text(), original, document_.Encoding(), session_.Answers(),
                         QStringLiteral("line"));
  if (!line) return std::nullopt;
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
