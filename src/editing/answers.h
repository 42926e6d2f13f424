#pragma once

#include <QString>

#include <optional>

namespace orvane::editing {

// Everything that needs a person's answer. The window implements it with real dialogs; tests
// use a scripted fake, so no test ever waits on a modal dialog.
class Answers {
 public:
  enum class Icon { kExclamation, kQuestion };
  enum class Buttons { kOk, kYesNoCancel };
  enum class Button { kOk, kYes, kNo, kCancel };
  // kOpenData picks any file, to be read and never written.
  enum class FileDialogForm { kOpen, kSave, kOpenData };

  virtual ~Answers() = default;

  // Modal; with kYesNoCancel, Yes is the default button.
  virtual Button MessageBox(const QString& text, const QString& title, Icon icon,
                            Buttons buttons) = 0;
  // Modal; starts with `file_name` in the name box and returns the chosen name, or nothing
  // when the user cancelled. The save form confirms before an existing file is replaced.
  virtual std::optional<QString> FileDialog(FileDialogForm form, const QString& file_name) = 0;
  // Modal; a line of text asked for under `label`, starting with `text`; nothing when the user
  // cancelled.
  virtual std::optional<QString> AskText(const QString& title, const QString& label,
                                         const QString& text) = 0;
  // Asks the main window to close; its closing runs the close step first.
  virtual void CloseWindow() = 0;
};

}  // namespace orvane::editing
