#include "ui/side/frm_readme.h"

#include "ui/side/side_widgets.h"

#include <QFontDatabase>
#include <QPlainTextEdit>

namespace orvane::ui::side {

frmReadme::frmReadme(QWidget* parent) : QWidget(parent, kToolWindowFlags) {
  setObjectName(QStringLiteral("frmReadme"));
  setWindowTitle(QStringLiteral("Readme..."));
  setFixedSize(Px(7950), Px(3630));
  Text1_ = new QPlainTextEdit(this);
  Text1_->setObjectName(QStringLiteral("Text1"));
  Text1_->setGeometry(TwipsRect(0, 0, 7935, 3615));
  Text1_->setFont(FontOrFallback(QStringLiteral("Courier"), 9.75,
                                 QFontDatabase::systemFont(QFontDatabase::FixedFont)));
  Text1_->setReadOnly(true);
  Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text1_->setTabStopDistance(8 * QFontMetricsF(Text1_->font()).horizontalAdvance(QLatin1Char(' ')));
  // The text keeps its CR LF line ends; the editor wants bare line feeds.
  QString shown = ReadmeText();
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  Text1_->setPlainText(shown);
}

}  // namespace orvane::ui::side
