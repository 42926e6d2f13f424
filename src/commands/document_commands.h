#pragma once

#include "editing/answers.h"
#include "model/table_file.h"

#include <QObject>
#include <QString>

#include <functional>

namespace orvane::model {
class TableDocument;
}
namespace orvane::editing {
class EditingState;
class ExtraLinesDraft;
}  // namespace orvane::editing

namespace orvane::commands {

// New, Open, Save, Save As, Quit and the close step, with the save prompt. A prompt answered
// Yes whose Save As did not save stops the command, so no unsaved change is ever discarded;
// rows the Extra Lines Manager holds are offered to the table before the table is replaced or
// the window closes.
class DocumentCommands : public QObject {
  Q_OBJECT

 public:
  // `apply_lines` writes the manager's rows into the table when the user says so; the session
  // makes it a step of its history. Without it the rows are applied directly.
  DocumentCommands(model::TableDocument& document, editing::EditingState& state,
                   editing::Answers& answers, editing::ExtraLinesDraft& extra_lines,
                   std::function<void()> apply_lines = {}, QObject* parent = nullptr);

  void New();
  void Open();
  // Opens a file named outside the dialog (at start-up, or dropped on the window) by its bytes,
  // as Open does, with its questions first. A name that is not UTF-8 is refused: Qt's file names
  // cannot carry it, and every later save would go to another file.
  void OpenFile(const QByteArray& native_path);
  void Save();
  // True when the table was written.
  bool SaveAs();
  void Quit();
  // Runs before the main window closes; false keeps it open.
  [[nodiscard]] bool CloseStep();

  [[nodiscard]] editing::Answers::Button AskSaveChanges();
  // Whether Save and Save As keep an opened file's own layout (model::SaveLayout::kKeepFile).
  void SetKeepLayout(bool keep) { keep_layout_ = keep; }
  [[nodiscard]] bool KeepLayout() const { return keep_layout_; }
  // While the Extra Lines Manager holds rows not in the table yet, asks whether to apply them:
  // Yes applies them, No drops them; false when the user cancelled.
  [[nodiscard]] bool SettlePendingLines();

 signals:
  // New or Open has emptied the table and possibly refilled it.
  void tableReplaced();
  // The table was written to its file: this is now the state last saved.
  void tableSaved();

 private:
  // Both questions before the table is replaced or the window closes; false stops the command.
  [[nodiscard]] bool MayDropTable();
  // False when the user cancelled, or answered Yes and the table was not saved.
  [[nodiscard]] bool SaveChangesFirst();
  void Load(const QString& path);
  // Tells the user what a load could not read and which lines a save will not write.
  void ReportLoad(const QString& path, const std::optional<model::LoadError>& error,
                  const QList<model::LoadWarning>& warnings);
  void TableReplaced();
  [[nodiscard]] bool Write(const QString& path);
  void ReportError(const QString& text);
  // Tells the user that a file's name is not UTF-8, with each such byte shown as \xHH.
  void RefuseName(const QByteArray& native_path);

  model::TableDocument& document_;
  editing::EditingState& state_;
  editing::Answers& answers_;
  editing::ExtraLinesDraft& extra_lines_;
  std::function<void()> apply_lines_;
  // The name the file dialog last held, from either use; the open dialog starts with it.
  QString dialog_file_name_;
  bool keep_layout_ = false;
};

}  // namespace orvane::commands
