#pragma once

#include "editing/answers.h"

#include <QList>
#include <QString>

#include <deque>
#include <optional>

namespace orvane::testing {

// Answers from a script and records every question, so tests can check what was asked.
class FakeAnswers : public editing::Answers {
 public:
  struct Message {
    QString text;
    QString title;
    Icon icon;
    Buttons buttons;
  };
  struct Dialog {
    FileDialogForm form;
    QString file_name;
  };

  // Queued replies; a question with nothing queued fails the test.
  void QueueButton(Button button) { buttons_.push_back(button); }
  void QueueFile(std::optional<QString> file) { files_.push_back(std::move(file)); }
  void QueueText(std::optional<QString> text) { texts_.push_back(std::move(text)); }

  Button MessageBox(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
  std::optional<QString> FileDialog(FileDialogForm form, const QString& file_name) override;
  std::optional<QString> AskText(const QString& title, const QString& label,
                                 const QString& text) override;
  void CloseWindow() override { ++close_requests; }

  [[nodiscard]] bool AllAnswersUsed() const {
    return buttons_.empty() && files_.empty() && texts_.empty();
  }

  QList<Message> messages;
  QList<Dialog> dialogs;
  QStringList text_titles;
  QStringList text_defaults;  // what each text question offered
  int close_requests = 0;

 private:
  std::deque<Button> buttons_;
  std::deque<std::optional<QString>> files_;
  std::deque<std::optional<QString>> texts_;
};

}  // namespace orvane::testing
