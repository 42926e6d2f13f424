#pragma once

#include "editing/answers.h"

#include <QPointer>
#include <QWidget>

namespace orvane::ui {

// Answers with real modal dialogs in front of the active window.
class QtAnswers : public editing::Answers {
 public:
  // The main window is made after the session these answers serve, so it is named later; it
  // is what CloseWindow closes and the dialogs' parent when no window is active.
  void SetMainWindow(QWidget* main_window) { main_window_ = main_window; }

  Button MessageBox(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
  std::optional<QString> FileDialog(FileDialogForm form, const QString& file_name) override;
  std::optional<QString> AskText(const QString& title, const QString& label,
                                 const QString& text) override;
  void CloseWindow() override;

  // The file dialog's filter: table files, text files and every file.
  static QStringList NameFilters();

 private:
  [[nodiscard]] QWidget* DialogParent() const;

  QPointer<QWidget> main_window_;
};

}  // namespace orvane::ui
