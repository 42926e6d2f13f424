#include "ui/qt_answers.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace orvane::ui {

QWidget* QtAnswers::DialogParent() const {
  if (QWidget* active = QApplication::activeWindow()) return active;
  return main_window_;
}

editing::Answers::Button QtAnswers::MessageBox(const QString& text, const QString& title, Icon icon,
                                               Buttons buttons) {
  QMessageBox box(icon == Icon::kQuestion ? QMessageBox::Question : QMessageBox::Warning, title,
                  text, QMessageBox::NoButton, DialogParent());
  if (buttons == Buttons::kOk) {
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
  } else {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Button::kYes;
    case QMessageBox::No:
      return Button::kNo;
    case QMessageBox::Ok:
      return Button::kOk;
    default:
      return buttons == Buttons::kOk ? Button::kOk : Button::kCancel;
  }
}

QStringList QtAnswers::NameFilters() {
  // With the details hidden, each choice shows exactly its caption; the patterns are the last
  // parentheses. "Tutti i file" matches names without a dot too.
  return {QStringLiteral("File Tabella (.tbl) (*.tbl)"),
          QStringLiteral("File di testo (*.txt) (*.txt)"),
          QStringLiteral("Tutti i file (*.*) (*)")};
}

std::optional<QString> QtAnswers::FileDialog(FileDialogForm form, const QString& file_name) {
  QFileDialog dialog(DialogParent());
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  if (form != FileDialogForm::kOpenData) dialog.setNameFilters(NameFilters());
  if (form == FileDialogForm::kSave) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (!file_name.isEmpty()) dialog.selectFile(file_name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtAnswers::AskText(const QString& title, const QString& label,
                                          const QString& text) {
  bool accepted = false;
  QString answer =
      QInputDialog::getText(DialogParent(), title, label, QLineEdit::Normal, text, &accepted);
  if (!accepted) return std::nullopt;
  return answer;
}

void QtAnswers::CloseWindow() {
  if (main_window_) main_window_->close();
}

}  // namespace orvane::ui
