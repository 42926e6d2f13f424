#include "commands/document_commands.h"

#include "editing/editing_state.h"
#include "editing/extra_lines_draft.h"
#include "model/file_access.h"
#include "model/hex.h"
#include "model/limited_list.h"
#include "model/table_document.h"
#include "model/table_file.h"
#include "text/file_name.h"
#include "text/utf8.h"

#include <QFile>

#include <algorithm>

namespace orvane::commands {

using editing::Answers;

namespace {

// The lines a save of the table will not write as they stand, one sentence each; lines kept as
// extra lines lose nothing and are left out, or every commented table would nag on each open.
QStringList LinesASaveDrops(const QList<model::LoadWarning>& warnings) {
  QStringList lines;
  for (const model::LoadWarning& warning : warnings) {
    const QString line = QStringLiteral("Line %1 (code %2)")
                             .arg(warning.line)
                             .arg(QString::fromLatin1(warning.code.Hex()));
    if (warning.kind == model::LoadWarning::Kind::kReplaced) {
      lines << line + QStringLiteral(" is replaced by line %1.").arg(warning.replaced_by);
    } else if (warning.kind == model::LoadWarning::Kind::kNoText) {
      lines << line + QStringLiteral(" has no text and will not be saved.");
    }
  }
  return lines;
}

}  // namespace

DocumentCommands::DocumentCommands(model::TableDocument& document, editing::EditingState& state,
                                   Answers& answers, editing::ExtraLinesDraft& extra_lines,
                                   std::function<void()> apply_lines, QObject* parent)
    : QObject(parent),
      document_(document),
      state_(state),
      answers_(answers),
      extra_lines_(extra_lines),
      apply_lines_(apply_lines ? std::move(apply_lines) : [this] { extra_lines_.Apply(); }) {}

Answers::Button DocumentCommands::AskSaveChanges() {
  return answers_.MessageBox(
      QStringLiteral("Current table has been modified.\r\n\r\nDo you want to save changes?"),
      QStringLiteral("Modified Table"), Answers::Icon::kQuestion, Answers::Buttons::kYesNoCancel);
}

bool DocumentCommands::MayDropTable() { return SettlePendingLines() && SaveChangesFirst(); }

bool DocumentCommands::SettlePendingLines() {
  if (!extra_lines_.HasPendingRows()) return true;
  switch (answers_.MessageBox(QStringLiteral("The Extra Lines Manager holds lines that are not in "
                                             "the table yet. Apply them to the table?"),
                              QStringLiteral("Extra Lines Manager"), Answers::Icon::kQuestion,
                              Answers::Buttons::kYesNoCancel)) {
    case Answers::Button::kYes:
      apply_lines_();
      return true;
    case Answers::Button::kNo:
      extra_lines_.Revert();
      return true;
    default:
      return false;
  }
}

bool DocumentCommands::SaveChangesFirst() {
  if (!document_.IsModified()) return true;
  switch (AskSaveChanges()) {
    case Answers::Button::kYes:
      return SaveAs();
    case Answers::Button::kNo:
      return true;
    default:
      return false;
  }
}

void DocumentCommands::New() {
  if (!MayDropTable()) return;
  document_.ClearTable();
  document_.SetTablePath(QLatin1String(model::kUnnamed));
  TableReplaced();
}

void DocumentCommands::Open() {
  if (!MayDropTable()) return;
  const auto chosen = answers_.FileDialog(Answers::FileDialogForm::kOpen, dialog_file_name_);
  if (!chosen || chosen->isEmpty()) return;
  if (const auto name = model::NameQtCannotCarry(*chosen)) {
    RefuseName(*name);
    return;
  }
  Load(*chosen);
}

void DocumentCommands::OpenFile(const QByteArray& native_path) {
  if (!text::IsValidUtf8(native_path)) {
    RefuseName(native_path);
    return;
  }
  if (!MayDropTable()) return;
  Load(QFile::decodeName(native_path));
}

void DocumentCommands::Load(const QString& path) {
  dialog_file_name_ = path;
  document_.ClearTable();
  QList<model::LoadWarning> warnings;
  const auto error = model::LoadTable(document_, path, &warnings);
  // The table is partial or empty: no later Save may write it over any file unasked.
  if (error) document_.SetTablePath(QLatin1String(model::kUnnamed));
  ReportLoad(path, error, warnings);
  document_.SetModified(false);
  TableReplaced();
}

void DocumentCommands::ReportLoad(const QString& path, const std::optional<model::LoadError>& error,
                                  const QList<model::LoadWarning>& warnings) {
  QStringList notes;
  // A picture or a program opened by mistake, which a save would rewrite as a table.
  if (std::any_of(warnings.begin(), warnings.end(), [](const model::LoadWarning& warning) {
        return warning.kind == model::LoadWarning::Kind::kNulBytes;
      })) {
    notes << QStringLiteral(
                 "\"%1\" holds bytes that table files do not hold (NUL); it may not be a table. "
                 "A save rewrites it as one.")
                 .arg(path);
  }
  if (const QStringList dropped = LinesASaveDrops(warnings); !dropped.isEmpty()) {
    notes << QStringLiteral("A save will not write these lines:\r\n") +
                 model::JoinAtMost(dropped, QStringLiteral("\r\n"));
  }
  if (!error) {
    if (notes.isEmpty()) return;
    (void)answers_.MessageBox(QStringLiteral("The table \"%1\" was opened.\r\n\r\n%2")
                                  .arg(path, notes.join(QStringLiteral("\r\n\r\n"))),
                              QStringLiteral("Open Table"), Answers::Icon::kExclamation,
                              Answers::Buttons::kOk);
    return;
  }
  QString what = error->line > 0 ? QStringLiteral(
                                       "Line %1: %2\r\n\r\nThe lines before it were loaded into an "
                                       "unnamed table.")
                                       .arg(error->line)
                                       .arg(error->reason)
                                 : error->reason + QStringLiteral("\r\n\r\nNothing was loaded.");
  for (const QString& note : notes) what += QStringLiteral("\r\n\r\n") + note;
  ReportError(QStringLiteral("The table \"%1\" could not be read.\r\n%2").arg(path, what));
}

void DocumentCommands::TableReplaced() {
  state_.SelectCode(0);
  emit tableReplaced();
}

void DocumentCommands::Save() {
  if (!document_.HasFile()) {
    (void)SaveAs();
    return;
  }
  if (document_.IsModified() && !Write(document_.TablePath())) return;
  document_.SetModified(false);
}

bool DocumentCommands::SaveAs() {
  dialog_file_name_ = document_.TablePath();
  const auto chosen = answers_.FileDialog(Answers::FileDialogForm::kSave, dialog_file_name_);
  if (!chosen || chosen->isEmpty()) return false;
  if (const auto name = model::NameQtCannotCarry(*chosen)) {
    RefuseName(*name);
    return false;
  }
  dialog_file_name_ = *chosen;
  if (!Write(*chosen)) return false;
  document_.SetModified(false);
  return true;
}

void DocumentCommands::Quit() { answers_.CloseWindow(); }

bool DocumentCommands::CloseStep() { return MayDropTable(); }

bool DocumentCommands::Write(const QString& path) {
  const auto layout = keep_layout_ ? model::SaveLayout::kKeepFile : model::SaveLayout::kCanonical;
  if (const auto error = model::SaveTable(document_, path, layout)) {
    ReportError(QStringLiteral("The table could not be saved to \"%1\".\r\n%2\r\n\r\n"
                               "The file on disk was left as it was.")
                    .arg(path, error->reason));
    return false;
  }
  // The cursor goes back to the first cell after every save, as users of this editor expect; on
  // a page of longer codes, to that page's first cell.
  state_.OpenPage(state_.CurrentPage());
  emit tableSaved();
  return true;
}

void DocumentCommands::RefuseName(const QByteArray& native_path) {
  ReportError(QStringLiteral("The name of the file \"%1\" is not UTF-8, and Orvane can neither "
                             "open nor save a file under it.\r\n\r\nRename the file, then open "
                             "it.")
                  .arg(text::ReadableFileName(native_path)));
}

void DocumentCommands::ReportError(const QString& text) {
  (void)answers_.MessageBox(text, QStringLiteral("Error"), Answers::Icon::kExclamation,
                            Answers::Buttons::kOk);
}

}  // namespace orvane::commands
