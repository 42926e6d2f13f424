#include "ui/side/frm_book.h"

#include "model/hex.h"
#include "session/session.h"
#include "text/display_text.h"
#include "ui/side/side_widgets.h"

#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <variant>

namespace orvane::ui::side {
namespace {

constexpr int kSpacesInLabel = 29;

// Update's message spells "occured" and Add's "occurred": users know the two boxes by it, so
// neither is corrected.
QString AddressError(const char* spelling) {
  return QStringLiteral("An error ") + QLatin1String(spelling) +
         QStringLiteral(" adding the bookmark.\r\nTry changing the address...");
}

// The label under the address box reads "(" and "h)" on either side of it, so the edit row
// looks like a bookmark line of the file. Fonts other than the designed one have wider
// spaces; the letters are drawn closer so that "h)" still starts where the box ends.
void FitLabelAroundBox(QLabel* label, int box_end) {
  QFont font = label->font();
  const QFontMetricsF metrics(font);
  const qreal natural = metrics.horizontalAdvance(QLatin1Char('(')) +
                        kSpacesInLabel * metrics.horizontalAdvance(QLatin1Char(' '));
  font.setLetterSpacing(QFont::AbsoluteSpacing, (box_end - natural) / (kSpacesInLabel + 1));
  label->setFont(font);
}

}  // namespace

frmBook::frmBook(session::Session& session, QWidget* parent)
    : QWidget(parent, kToolWindowFlags), session_(session), document_(session.Document()) {
  setObjectName(QStringLiteral("frmBook"));
  setWindowTitle(QStringLiteral("Bookmarks Manager"));
  setFont(ControlFont());
  setFixedSize(Px(4455), Px(2640));
  BuildControls();
  Form_Load();
}

void frmBook::BuildControls() {
  const ManagerButtons buttons = MakeManagerButtons(this);
  cmdUpdate_ = buttons.update;
  cmdAdd_ = buttons.add;
  cmdDel_ = buttons.del;
  cmdOk_ = buttons.ok;
  auto* frame = new QGroupBox(QStringLiteral("Bookmarks List"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setGeometry(TwipsRect(120, 120, 4215, 1935));
  // Created before the address box so that the box lies over it.
  Label1_ = new QLabel(
      QStringLiteral("(") + QString(kSpacesInLabel, QLatin1Char(' ')) + QStringLiteral("h)"),
      frame);
  Label1_->setObjectName(QStringLiteral("Label1"));
  Label1_->setGeometry(TwipsRect(120, 1560, 2055, 255));
  QFont label_font = FontOrFallback(QStringLiteral("MS Sans Serif"), 9.75, font());
  label_font.setBold(true);
  Label1_->setFont(label_font);
  FitLabelAroundBox(Label1_, Px(240 - 120 + 1695));
  txtAddr_ = MakeTextBox(frame, QStringLiteral("txtAddr"), TwipsRect(240, 1560, 1695, 285));
  lstBook_ = new QListWidget(frame);
  lstBook_->setObjectName(QStringLiteral("lstBook"));
  lstBook_->setGeometry(TwipsRect(120, 240, 3975, 1230));
  txtTitle_ = MakeTextBox(frame, QStringLiteral("txtTitle"), TwipsRect(2160, 1560, 1935, 285));
  setTabOrder(cmdUpdate_, cmdAdd_);
  setTabOrder(cmdAdd_, cmdDel_);
  setTabOrder(cmdDel_, cmdOk_);
  setTabOrder(cmdOk_, txtAddr_);
  setTabOrder(txtAddr_, lstBook_);
  setTabOrder(lstBook_, txtTitle_);

  connect(lstBook_, &QListWidget::itemSelectionChanged, this, &frmBook::lstBook_Click);
  connect(lstBook_, &QListWidget::itemClicked, this, &frmBook::lstBook_Click);
  connect(txtAddr_, &QLineEdit::textChanged, this, &frmBook::txtAddr_Change);
  connect(txtTitle_, &QLineEdit::textChanged, this, &frmBook::txtTitle_Change);
  connect(cmdAdd_, &QPushButton::clicked, this, &frmBook::cmdAdd_Click);
  connect(cmdUpdate_, &QPushButton::clicked, this, &frmBook::cmdUpdate_Click);
  connect(cmdDel_, &QPushButton::clicked, this, &frmBook::cmdDel_Click);
  connect(cmdOk_, &QPushButton::clicked, this, &frmBook::cmdOk_Click);
  connect(&document_, &model::TableDocument::encodingChanged, this, &frmBook::ShowTitles);
  connect(&document_, &model::TableDocument::bookmarksChanged, this, &frmBook::BookmarksChanged);
  connect(&document_, &model::TableDocument::tableReset, this, &frmBook::BookmarksChanged);
}

void frmBook::ShowTitles() {
  for (int row = 0; row < lstBook_->count(); ++row) {
    lstBook_->item(row)->setText(
        ShownTitle(document_.GetBookmark(row).value_or(model::Bookmark{}).title));
  }
}

void frmBook::Form_Load() {
  {
    const QSignalBlocker list_blocker(lstBook_);
    const QSignalBlocker address_blocker(txtAddr_);
    const QSignalBlocker title_blocker(txtTitle_);
    lstBook_->clear();
    txtAddr_->clear();
    txtTitle_->clear();
    for (int slot = 0; slot < model::kSlotCount; ++slot) {
      const QByteArray title = document_.GetBookmark(slot).value_or(model::Bookmark{}).title;
      if (!title.isEmpty()) lstBook_->addItem(ShownTitle(title));
    }
  }
  cmdAdd_->setEnabled(false);
  cmdUpdate_->setEnabled(false);
  cmdDel_->setEnabled(lstBook_->count() > 0);
}

void frmBook::lstBook_Click() {
  const int row = SelectedRow(lstBook_);
  if (row < 0) return;
  const model::Bookmark bookmark = document_.GetBookmark(row).value_or(model::Bookmark{});
  txtAddr_->setText(QString::fromLatin1(model::HexAddress(bookmark.address)));
  txtTitle_->setText(ShownTitle(bookmark.title));
}

void frmBook::txtAddr_Change(const QString& text) { TextBox_Change(text); }

void frmBook::txtTitle_Change(const QString& text) { TextBox_Change(text); }

void frmBook::TextBox_Change(const QString& text) {
  if (text.isEmpty()) {
    cmdAdd_->setEnabled(false);
    cmdUpdate_->setEnabled(false);
    return;
  }
  cmdAdd_->setEnabled(true);
  if (lstBook_->count() > 0) cmdUpdate_->setEnabled(true);
}

void frmBook::cmdAdd_Click() {
  const int row = lstBook_->count();
  if (row >= model::kSlotCount) {
    ShowError(session_.Answers(),
              QStringLiteral("The table already holds %1 bookmarks.").arg(model::kSlotCount));
    return;
  }
  const int selected = SelectedRow(lstBook_);
  const QByteArray original =
      selected < 0 ? QByteArray()
                   : document_.GetBookmark(selected).value_or(model::Bookmark{}).title;
  const auto bookmark = ReadBoxes(AddressError("occurred"), original);
  if (!bookmark ||
      !Change([&] { return session_.AddBookmark(bookmark->address, bookmark->title); })) {
    return;
  }
  {
    const QSignalBlocker blocker(lstBook_);
    lstBook_->addItem(ShownTitle(bookmark->title));
  }
  cmdUpdate_->setEnabled(true);
  cmdDel_->setEnabled(true);
}

void frmBook::cmdUpdate_Click() {
  const int row = SelectedRow(lstBook_);
  if (row < 0) return;
  const auto bookmark = ReadBoxes(AddressError("occured"),
                                  document_.GetBookmark(row).value_or(model::Bookmark{}).title);
  if (!bookmark ||
      !Change([&] { return session_.ReplaceBookmark(row, bookmark->address, bookmark->title); })) {
    return;
  }
  lstBook_->item(row)->setText(ShownTitle(bookmark->title));
}

void frmBook::cmdDel_Click() {
  const int row = SelectedRow(lstBook_);
  if (row < 0) return;
  if (!Change([&] { return session_.RemoveBookmark(row); })) return;
  const int last = lstBook_->count() - 1;
  {
    const QSignalBlocker blocker(lstBook_);
    lstBook_->item(row)->setText(lstBook_->item(last)->text());
    delete lstBook_->takeItem(last);
    // The row now shows another bookmark; a second Delete or an Update must not hit it unseen.
    lstBook_->clearSelection();
  }
  if (lstBook_->count() == 0) cmdDel_->setEnabled(false);
}

bool frmBook::Change(const std::function<bool()>& change) {
  changing_ = true;
  const bool done = change();
  changing_ = false;
  return done;
}

void frmBook::BookmarksChanged() {
  if (changing_) return;
  // Changed from outside, by Undo or Redo: rows and slots stay one to one.
  {
    const QSignalBlocker blocker(lstBook_);
    lstBook_->clear();
    for (int slot = 0; slot < model::kSlotCount; ++slot) {
      const QByteArray title = document_.GetBookmark(slot).value_or(model::Bookmark{}).title;
      if (!title.isEmpty()) lstBook_->addItem(ShownTitle(title));
    }
  }
  cmdDel_->setEnabled(lstBook_->count() > 0);
}

void frmBook::cmdOk_Click() { close(); }

QString frmBook::ShownTitle(const QByteArray& title) const {
  return text::DisplayText(title, document_.Encoding());
}

std::optional<model::Bookmark> frmBook::ReadBoxes(const QString& address_error,
                                                  const QByteArray& original) {
  const auto address = model::ParseHexAddress(txtAddr_->text().trimmed().toLatin1());
  if (!std::holds_alternative<qint32>(address)) {
    ShowError(session_.Answers(), address_error);
    return std::nullopt;
  }
  if (txtTitle_->text().isEmpty()) {
    ShowError(session_.Answers(), QStringLiteral("A bookmark needs a title."));
    return std::nullopt;
  }
  const auto title = TypedBytes(txtTitle_->text(), original, document_.Encoding(),
                                session_.Answers(), QStringLiteral("title"));
  if (!title) return std::nullopt;
  return model::Bookmark{std::get<qint32>(address), *title};
}

}  // namespace orvane::ui::side
