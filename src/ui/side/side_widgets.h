#pragma once

#include "editing/answers.h"
#include "text/encoding.h"

#include <QByteArray>
#include <QFont>
#include <QRect>
#include <QString>
#include <Qt>

#include <optional>

class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace orvane::ui::side {

// The side windows are laid out in twips; at 96 dots per inch a pixel is 15 twips.
inline constexpr int kTwipsPerPixel = 15;
[[nodiscard]] constexpr int Px(int twips) { return twips / kTwipsPerPixel; }
[[nodiscard]] constexpr QRect TwipsRect(int left, int top, int width, int height) {
  return {Px(left), Px(top), Px(width), Px(height)};
}

// Fixed-size tool windows with a title and a close box, without minimize or maximize boxes.
inline constexpr Qt::WindowFlags kToolWindowFlags =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// The selected row of a list, or -1.
[[nodiscard]] int SelectedRow(const QListWidget* list);

// `family` at `points` when the machine has it, otherwise `fallback` at the same size.
[[nodiscard]] QFont FontOrFallback(const QString& family, qreal points, const QFont& fallback);
// The small sans of the tool windows' controls.
[[nodiscard]] QFont ControlFont();

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text, QRect rect);
// A text box without a length limit of its own: Qt's default would cut long lines.
QLineEdit* MakeTextBox(QWidget* parent, const QString& name, QRect rect);

// The row of buttons both managers have, in the same places.
struct ManagerButtons {
  QPushButton* update;
  QPushButton* add;
  QPushButton* del;
  QPushButton* ok;
};
[[nodiscard]] ManagerButtons MakeManagerButtons(QWidget* parent);

// The bytes to store for what the user sees in a box (text::EditedBytes). Nothing, after telling
// the user why, when a character has no byte, when the text holds a line end, which would split
// the line in the table file, or when it changes a text whose bytes the encoding cannot read:
// the box shows those only as a guess, and storing the guess would change the other bytes too.
// `noun` names the text in the message: "line", "title".
[[nodiscard]] std::optional<QByteArray> TypedBytes(const QString& text, const QByteArray& original,
                                                   text::Encoding encoding,
                                                   editing::Answers& answers, const QString& noun);

// The refusal box of the managers: title "Error", exclamation icon, OK.
void ShowError(editing::Answers& answers, const QString& text);

}  // namespace orvane::ui::side
