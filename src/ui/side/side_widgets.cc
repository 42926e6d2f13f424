#include "ui/side/side_widgets.h"

#include "text/codec.h"
#include "text/display_text.h"
#include "text/typed_text.h"

#include <QApplication>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <limits>

namespace orvane::ui::side {

QFont FontOrFallback(const QString& family, qreal points, const QFont& fallback) {
  QFont font(family);
  font.setPointSizeF(points);
  if (QFontInfo(font).family().compare(family, Qt::CaseInsensitive) == 0) return font;
  QFont chosen = fallback;
  chosen.setPointSizeF(points);
  return chosen;
}

QFont ControlFont() {
  return FontOrFallback(QStringLiteral("MS Sans Serif"), 8.25, QApplication::font());
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text, QRect rect) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(rect);
  button->setAutoDefault(false);
  return button;
}

QLineEdit* MakeTextBox(QWidget* parent, const QString& name, QRect rect) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setGeometry(rect);
  box->setMaxLength(std::numeric_limits<int>::max());
  return box;
}

std::optional<QByteArray> TypedBytes(const QString& text, const QByteArray& original,
                                     text::Encoding encoding, editing::Answers& answers,
                                     const QString& noun) {
  const bool unchanged = text == text::DisplayText(original, encoding);
  if (!unchanged && !original.isEmpty() && !text::Decode(original, encoding)) {
    ShowError(answers, QStringLiteral("The %1 holds bytes that are not valid in the table's "
                                      "encoding; it can be deleted, not changed.")
                           .arg(noun));
    return std::nullopt;
  }
  // Either would split the line in the file.
  const bool line_end = text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
  std::optional<QByteArray> bytes =
      line_end ? std::nullopt : text::EditedBytes(text, original, encoding);
  if (!bytes) {
    ShowError(answers,
              QStringLiteral("The %1 holds a character the table cannot store.").arg(noun));
  }
  return bytes;
}

int SelectedRow(const QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.front());
}

void ShowError(editing::Answers& answers, const QString& text) {
  (void)answers.MessageBox(text, QStringLiteral("Error"), editing::Answers::Icon::kExclamation,
                           editing::Answers::Buttons::kOk);
}

ManagerButtons MakeManagerButtons(QWidget* parent) {
  return {MakeButton(parent, QStringLiteral("cmdUpdate"), QStringLiteral("&Update"),
                     TwipsRect(120, 2160, 975, 375)),
          MakeButton(parent, QStringLiteral("cmdAdd"), QStringLiteral("&Add"),
                     TwipsRect(1200, 2160, 975, 375)),
          MakeButton(parent, QStringLiteral("cmdDel"), QStringLiteral("&Delete"),
                     TwipsRect(2280, 2160, 975, 375)),
          MakeButton(parent, QStringLiteral("cmdOk"), QStringLiteral("&Close"),
                     TwipsRect(3360, 2160, 975, 375))};
}

}  // namespace orvane::ui::side
