#pragma once

#include "commands/document_commands.h"
#include "data/relative_search.h"
#include "data/relative_search_apply.h"
#include "editing/answers.h"
#include "editing/cell_editing.h"
#include "editing/editing_state.h"
#include "editing/extra_lines_draft.h"
#include "editing/fill_commands.h"
#include "model/table_document.h"
#include "session/table_step.h"
#include "text/encoding.h"

#include <QChar>
#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <span>

namespace orvane::session {

// The running editor's state, which every window shares: the one document, the cursor and the
// input mode, the Extra Lines Manager's working copy, the commands and the history of changes.
// Windows show it and send the user's intent here; none keeps a copy. It outlives every window
// that is given it.
class Session : public QObject {
  Q_OBJECT

 public:
  explicit Session(editing::Answers& answers, QObject* parent = nullptr);

  [[nodiscard]] model::TableDocument& Document() { return document_; }
  [[nodiscard]] const model::TableDocument& Document() const { return document_; }
  [[nodiscard]] editing::EditingState& State() { return state_; }
  [[nodiscard]] const editing::EditingState& State() const { return state_; }
  [[nodiscard]] commands::DocumentCommands& Commands() { return commands_; }
  // The Extra Lines Manager's working copy, open while the manager is.
  [[nodiscard]] editing::ExtraLinesDraft& ExtraLines() { return extra_lines_; }
  [[nodiscard]] editing::Answers& Answers() { return answers_; }

  // The pages of longer codes, opened with the cursor on their first cell. Step goes to the next
  // (+1) or previous (-1) page of the list that starts with the single bytes and goes on with the
  // pages that hold codes, and does nothing at its ends.
  void OpenPage(const model::Page& page) { state_.OpenPage(page); }
  void StepPage(int direction);
  void OpenParentPage();
  // Asks for a code of one to four bytes in hexadecimal and puts the cursor on it, on its page.
  void AskGoToCode();
  // Asks for a text and puts the cursor on the next code whose text contains it
  // (editing::FindCode); FindNext goes on with the same text. False, and the cursor stays, when
  // there is none.
  [[nodiscard]] bool AskFind();
  [[nodiscard]] bool FindNext();

  // What the user does to the table, each applied at the cursor. An edit on a page of longer
  // codes, whose lines the Extra Lines Manager also edits, first settles the rows it holds.
  void TypeKey(QChar key);
  void CommitText(const QString& text);
  void RunFill(const editing::FillCommand& fill);
  void SetSpecialCharacter();
  void UnsetSpecialCharacter();
  // Sets or changes the code under the cursor as a control code, or makes it plain again.
  void EditControlCode();
  void SetInputMode(kana::InputMode mode);
  // Reads the same bytes in another encoding: a correction of the guess made on opening.
  void SetEncoding(text::Encoding encoding);
  // Rewrites the table's texts in another encoding, or tells why it cannot.
  void ConvertTable(text::Encoding encoding);

  // The cell under the cursor as the user reads it, for the clipboard; and text from the
  // clipboard appended to it as input-method text is.
  [[nodiscard]] QString CopyText() const;
  void PasteText(const QString& text);

  // Runs a change of the table as one step of the history, named by its kind; a change that
  // leaves the table as it was makes no step.
  void Record(StepKind kind, const std::function<void()>& change);

  // What a change asked for from a side window did.
  struct Outcome {
    enum class Status : quint8 { kDone, kCancelled, kRefused };
    Status status = Status::kDone;
    qsizetype changed = 0;  // codes whose text changed
    qsizetype already = 0;  // codes to write that held that text already
  };
  // Writes every letter of the search's order at the candidate's values, as one step. The
  // Extra Lines Manager's rows are settled first; then the codes that hold other texts are named
  // and the user chooses to overwrite them, to write only the free codes, or to cancel.
  Outcome ApplySearch(const data::Query& query, const data::Candidate& candidate);
  // Writes texts into codes as one step of `kind`: a code that holds a text keeps it unless
  // `overwrite`. The Extra Lines Manager's rows are settled first.
  Outcome WriteTexts(StepKind kind, std::span<const data::CodeText> writes, bool overwrite);
  // The Bookmarks Manager's changes, each one step; false when refused (an empty title, a slot
  // not in use, all slots used) or when the user cancelled the question about the manager's rows.
  [[nodiscard]] bool AddBookmark(qint32 address, const QByteArray& title);
  [[nodiscard]] bool ReplaceBookmark(int slot, qint32 address, const QByteArray& title);
  [[nodiscard]] bool RemoveBookmark(int slot);
  // Writes the Extra Lines Manager's rows into the table, as one step.
  void ApplyExtraLines() {
    Record(StepKind::kExtraLines, [this] { extra_lines_.Apply(); });
  }
  // Undo and Redo are greyed while the Extra Lines Manager holds rows not in the table.
  [[nodiscard]] bool CanUndo() const;
  [[nodiscard]] bool CanRedo() const;
  [[nodiscard]] QString UndoName() const { return history_.undoText(); }
  [[nodiscard]] QString RedoName() const { return history_.redoText(); }
  void Undo();
  void Redo();

 signals:
  void encodingChanged(text::Encoding encoding);
  // New or Open has emptied the table and possibly refilled it.
  void tableReplaced();
  // A typed or pasted character has no form in the table's encoding and was left out.
  void characterNotStored();
  // What Undo and Redo can do, or their names, may have changed.
  void historyChanged();
  // A word for the status bar on what a command did ("Find wrapped to the first code").
  void status(const QString& text);

 private:
  // False when the edit must not go on: the user cancelled the question about the manager's rows.
  [[nodiscard]] bool MayEditAtCursor();
  // A change from a side window: the manager's rows settled, then `change` plans against the
  // table as it is then, asks and writes, as one step; it returns false to write nothing.
  [[nodiscard]] bool Change(StepKind kind, const std::function<bool()>& change);
  // Which of the codes to write: all, the free ones only, or none when the user cancels.
  [[nodiscard]] std::optional<bool> MayOverwrite(const std::vector<model::Code>& codes);
  void Note(editing::TypingNote note);
  void Type(StepKind kind, const std::function<editing::TypingNote()>& typing);
  void ShowHistoryState();
  // The one place the modified flag is set: a step pushed, undone or redone sets it, landing on
  // the state last saved clears it, unless the table changed outside the history since the save
  // (the Extra Lines Manager's edits, a byte-order mark gained or lost).
  void ShowModified();
  void Tell(const QString& title, const QString& text);

  editing::Answers& answers_;
  model::TableDocument document_;
  editing::EditingState state_;
  editing::ExtraLinesDraft extra_lines_{document_};
  commands::DocumentCommands commands_{document_, state_, answers_, extra_lines_,
                                       [this] { ApplyExtraLines(); }};
  QUndoStack history_;
  // Keys typed into one cell are one step until the cursor moves or the mode changes.
  bool typing_run_ = false;
  bool changed_outside_history_ = false;
  // The user has been told that the table's encoding has no kana; once per table and encoding.
  bool told_no_kana_ = false;
  QString find_text_;  // what Find looked for last
};

}  // namespace orvane::session
