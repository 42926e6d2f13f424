#include "ui/page_selector.h"

#include "session/session.h"

#include <QLineEdit>

namespace orvane::ui {
namespace {

QString PageText(const model::Page& page, qsizetype codes) {
  const QString count =
      codes == 1 ? QStringLiteral("1 code") : QStringLiteral("%1 codes").arg(codes);
  return QString::fromLatin1(page.Hex()) + QStringLiteral("xx \u00B7 ") + count;
}

}  // namespace

PageSelector::PageSelector(session::Session& session, QWidget* grid, QWidget* parent)
    : QComboBox(parent), session_(session), grid_(grid) {
  setObjectName(QStringLiteral("cboPage"));
  setToolTip(QStringLiteral("Page"));
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(18);
  setFocusPolicy(Qt::ClickFocus);
  const model::TableDocument& document = session_.Document();
  connect(&document, &model::TableDocument::cellChanged, this, [this](const model::Code& code) {
    if (!code.IsSingleByte()) ShowPages();
  });
  connect(&document, &model::TableDocument::tableReset, this, &PageSelector::ShowPages);
  connect(&session_.State(), &editing::EditingState::pageChanged, this,
          &PageSelector::ShowCurrentPage);
  connect(this, &QComboBox::activated, this, &PageSelector::cboPage_Activated);
  connect(lineEdit(), &QLineEdit::returnPressed, this, &PageSelector::cboPage_ReturnPressed);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] { ShowValid(true); });
  ShowPages();
}

QString PageSelector::SingleBytesText() { return QStringLiteral("Single bytes"); }

void PageSelector::ShowPages() {
  const QSignalBlocker blocker(this);
  clear();
  addItem(SingleBytesText(), QVariant::fromValue(model::Page()));
  for (const model::PageCount& count : session_.Document().Pages()) {
    addItem(PageText(count.page, count.codes), QVariant::fromValue(count.page));
  }
  ShowCurrentPage();
}

void PageSelector::ShowCurrentPage() {
  const QSignalBlocker blocker(this);
  const model::Page page = session_.State().CurrentPage();
  const int item = findData(QVariant::fromValue(page));
  setCurrentIndex(item);
  if (item < 0) setEditText(PageText(page, 0));
  ShowValid(true);
}

void PageSelector::cboPage_Activated(int item) {
  const QVariant page = itemData(item);
  if (!page.canConvert<model::Page>()) return;
  session_.OpenPage(page.value<model::Page>());
  ShowCurrentPage();
  grid_->setFocus();
}

void PageSelector::cboPage_ReturnPressed() {
  const QString text = currentText().trimmed();
  std::optional<model::Page> page;
  if (const int item = findText(text); item >= 0) {
    page = itemData(item).value<model::Page>();
  } else if (text.size() >= 2) {
    page = model::Page::FromHex(text.toLatin1());
  }
  if (!page) {
    ShowValid(false);
    return;
  }
  session_.OpenPage(*page);
  ShowCurrentPage();
  grid_->setFocus();
}

void PageSelector::ShowValid(bool valid) {
  QPalette colours = lineEdit()->palette();
  colours.setColor(QPalette::Base, valid ? palette().color(QPalette::Base) : QColor(255, 160, 160));
  lineEdit()->setPalette(colours);
}

}  // namespace orvane::ui
