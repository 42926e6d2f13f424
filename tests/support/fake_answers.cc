#include "support/fake_answers.h"

#include <QTest>

namespace orvane::testing {

editing::Answers::Button FakeAnswers::MessageBox(const QString& text, const QString& title,
                                                 Icon icon, Buttons buttons) {
  messages.append(Message{text, title, icon, buttons});
  if (buttons_.empty()) {
    QTest::qFail(qPrintable(QStringLiteral("unexpected message box: ") + text), __FILE__, __LINE__);
    return buttons == Buttons::kOk ? Button::kOk : Button::kCancel;
  }
  const Button button = buttons_.front();
  buttons_.pop_front();
  return button;
}

std::optional<QString> FakeAnswers::FileDialog(FileDialogForm form, const QString& file_name) {
  dialogs.append(Dialog{form, file_name});
  if (files_.empty()) {
    QTest::qFail("unexpected file dialog", __FILE__, __LINE__);
    return std::nullopt;
  }
  auto file = files_.front();
  files_.pop_front();
  return file;
}

std::optional<QString> FakeAnswers::AskText(const QString& title, const QString&,
                                            const QString& text) {
  text_titles.append(title);
  text_defaults.append(text);
  if (texts_.empty()) {
    QTest::qFail(qPrintable(QStringLiteral("unexpected text question: ") + title), __FILE__,
                 __LINE__);
    return std::nullopt;
  }
  auto answer = texts_.front();
  texts_.pop_front();
  return answer;
}

}  // namespace orvane::testing
