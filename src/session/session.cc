#include "session/session.h"

#include "data/relative_search_apply.h"
#include "editing/control_codes.h"
#include "editing/find_code.h"
#include "editing/special_characters.h"
#include "editing/table_conversion.h"
#include "model/limited_list.h"
#include "text/codec.h"
#include "text/display_text.h"
#include "text/no_kana_text.h"

#include <algorithm>

namespace orvane::session {
namespace {

// The codes a question about overwriting names.
constexpr qsizetype kNamedOverwrites = 16;

}  // namespace

Session::Session(editing::Answers& answers, QObject* parent) : QObject(parent), answers_(answers) {
  connect(&document_, &model::TableDocument::encodingChanged, this,
          [this](text::Encoding encoding) {
            told_no_kana_ = false;
            emit encodingChanged(encoding);
          });
  connect(&commands_, &commands::DocumentCommands::tableReplaced, this, [this] {
    told_no_kana_ = false;
    typing_run_ = false;
    changed_outside_history_ = false;
    history_.clear();  // New and Open start a fresh history
    ShowModified();
    emit tableReplaced();
  });
  connect(&commands_, &commands::DocumentCommands::tableSaved, this, [this] {
    typing_run_ = false;
    changed_outside_history_ = false;
    history_.setClean();
    ShowModified();
  });
  connect(&history_, &QUndoStack::indexChanged, this, &Session::ShowModified);
  connect(&extra_lines_, &editing::ExtraLinesDraft::edited, this, [this] {
    changed_outside_history_ = true;
    ShowModified();
  });
  const auto end_typing_run = [this] { typing_run_ = false; };
  connect(&state_, &editing::EditingState::cursorChanged, this, end_typing_run);
  connect(&state_, &editing::EditingState::inputModeChanged, this, end_typing_run);
  connect(&history_, &QUndoStack::indexChanged, this, &Session::historyChanged);
  connect(&history_, &QUndoStack::cleanChanged, this, &Session::historyChanged);
  connect(&extra_lines_, &editing::ExtraLinesDraft::rowsChanged, this, &Session::historyChanged);
}

void Session::StepPage(int direction) {
  QList<model::Page> pages{model::Page()};
  for (const model::PageCount& count : document_.Pages()) pages.append(count.page);
  const model::Page current = state_.CurrentPage();
  if (direction > 0) {
    const auto next = std::upper_bound(pages.cbegin(), pages.cend(), current);
    if (next != pages.cend()) state_.OpenPage(*next);
  } else {
    const auto at = std::lower_bound(pages.cbegin(), pages.cend(), current);
    if (at != pages.cbegin()) state_.OpenPage(*std::prev(at));
  }
}

void Session::OpenParentPage() {
  if (const auto parent = state_.CurrentPage().Parent()) state_.OpenPage(*parent);
}

void Session::AskGoToCode() {
  const QString title = QStringLiteral("Go to Code");
  const auto typed = answers_.AskText(title, QStringLiteral("Code (2, 4, 6 or 8 hex digits):"),
                                      QString::fromLatin1(state_.CursorCode().Hex()));
  if (!typed) return;
  if (const auto code = model::Code::FromHex(typed->trimmed().toLatin1())) {
    state_.SelectCode(*code);
    return;
  }
  Tell(title, QStringLiteral("\"%1\" is not a code of one to four bytes in hexadecimal digits, "
                             "such as 41 or 8140.")
                  .arg(*typed));
}

bool Session::AskFind() {
  const auto typed = answers_.AskText(QStringLiteral("Find"), QStringLiteral("Text:"), find_text_);
  if (!typed || typed->isEmpty()) return true;
  find_text_ = *typed;
  return FindNext();
}

bool Session::FindNext() {
  if (find_text_.isEmpty()) return AskFind();
  const auto found = editing::FindCode(document_, state_.CursorCode(), find_text_);
  if (!found) {
    // A text of hexadecimal digits is most likely a code that was meant.
    const bool code = model::Code::FromHex(find_text_.trimmed().toLatin1()).has_value();
    emit status(code ? QStringLiteral("Not found. Go to Code (Ctrl+G) takes a code.")
                     : QStringLiteral("Not found."));
    return false;
  }
  state_.SelectCode(found->code);
  if (found->wrapped) emit status(QStringLiteral("Find wrapped to the first code"));
  return true;
}

bool Session::MayEditAtCursor() {
  if (state_.CursorCode().IsSingleByte()) return true;
  return commands_.SettlePendingLines();
}

void Session::TypeKey(QChar key) {
  Type(StepKind::kTyping, [&] { return editing::TypeCharacter(document_, state_, key); });
}

void Session::CommitText(const QString& text) {
  Type(StepKind::kTyping, [&] { return editing::AppendCommittedText(document_, state_, text); });
}

void Session::PasteText(const QString& text) {
  Type(StepKind::kPaste, [&] { return editing::AppendCommittedText(document_, state_, text); });
}

QString Session::CopyText() const {
  const QByteArray bytes = document_.GetCellText(state_.CursorCode());
  // The characters themselves where the encoding reads them, else what the cell shows.
  return text::Decode(bytes, document_.Encoding())
      .value_or(text::DisplayText(bytes, document_.Encoding()));
}

// Keys typed into one cell merge into one step while the run lasts; a paste is a step alone.
void Session::Type(StepKind kind, const std::function<editing::TypingNote()>& typing) {
  if (!MayEditAtCursor()) return;
  const bool continues = kind == StepKind::kTyping && typing_run_;
  const model::TableState before = document_.Snapshot();
  const editing::TypingNote note = typing();
  model::TableState after = document_.Snapshot();
  if (!(after == before)) {
    history_.push(new TableStep(document_, state_, kind, before, std::move(after),
                                state_.CursorCode(), continues));
  }
  typing_run_ = kind == StepKind::kTyping;
  Note(note);
}

void Session::RunFill(const editing::FillCommand& fill) {
  if (!MayEditAtCursor()) return;
  std::optional<editing::FillReach> reach;
  Record(StepKind::kFill, [&] { reach = editing::RunFill(fill, document_, state_); });
  if (!reach) {
    Tell(QStringLiteral("Kana"),
         text::NoKanaText(document_.Encoding(), QStringLiteral("nothing was written.")));
    return;
  }
  if (reach->written < reach->texts) {
    emit status(QStringLiteral("The fill wrote %1 of %2 and stopped at the page's last cell, %3.")
                    .arg(reach->written)
                    .arg(reach->texts)
                    .arg(QString::fromLatin1(state_.CursorCode().Hex())));
  }
}

void Session::SetSpecialCharacter() {
  if (!MayEditAtCursor()) return;
  Record(StepKind::kMark, [this] { editing::SetSpecialCharacter(document_, state_, answers_); });
}

void Session::EditControlCode() {
  if (!MayEditAtCursor()) return;
  Record(StepKind::kControlCode, [this] { editing::EditControlCode(document_, state_, answers_); });
}

void Session::UnsetSpecialCharacter() {
  if (!MayEditAtCursor()) return;
  Record(StepKind::kUnmark, [this] { editing::UnsetSpecialCharacter(document_, state_); });
}

void Session::Record(StepKind kind, const std::function<void()>& change) {
  typing_run_ = false;
  const model::TableState before = document_.Snapshot();
  change();
  model::TableState after = document_.Snapshot();
  if (after == before) return;
  history_.push(new TableStep(document_, state_, kind, before, std::move(after), {}, false));
}

bool Session::Change(StepKind kind, const std::function<bool()>& change) {
  if (!commands_.SettlePendingLines()) return false;
  bool done = false;
  Record(kind, [&] { done = change(); });
  return done;
}

std::optional<bool> Session::MayOverwrite(const std::vector<model::Code>& codes) {
  if (codes.empty()) return true;
  QStringList named;
  for (const model::Code& code : codes) {
    if (named.size() == kNamedOverwrites) {
      named << QStringLiteral("and %1 more").arg(std::ssize(codes) - kNamedOverwrites);
      break;
    }
    named << QStringLiteral("%1=%2").arg(
        QString::fromLatin1(code.Hex()),
        text::DisplayText(document_.GetCellText(code), document_.Encoding()));
    if (document_.IsControl(code)) named.back() += QStringLiteral(" (control code)");
  }
  const QString text =
      QStringLiteral(
          "%1 of the codes to write hold other texts now:\n%2\n\nYes overwrites them, "
          "No writes only the other codes, Cancel writes nothing.")
          .arg(codes.size())
          .arg(named.join(u'\n'));
  switch (answers_.MessageBox(text, QStringLiteral("Apply Search"),
                              editing::Answers::Icon::kQuestion,
                              editing::Answers::Buttons::kYesNoCancel)) {
    case editing::Answers::Button::kYes:
      return true;
    case editing::Answers::Button::kNo:
      return false;
    default:
      return std::nullopt;
  }
}

Session::Outcome Session::ApplySearch(const data::Query& query, const data::Candidate& candidate) {
  Outcome outcome;
  outcome.status = Outcome::Status::kCancelled;
  (void)Change(StepKind::kApplySearch, [&] {
    // Planned only now: settling the manager's rows may have changed the codes it writes.
    data::ApplyPlan plan = data::PlanApply(query, candidate, document_);
    if (plan.refusal) {
      outcome.status = Outcome::Status::kRefused;
      Tell(QStringLiteral("Kana"), *plan.refusal);
      return false;
    }
    const auto overwrite = MayOverwrite(plan.overwrites);
    if (!overwrite) return false;
    outcome.status = Outcome::Status::kDone;
    for (const data::CodeText& write : plan.writes) {
      const bool held = std::ranges::find(plan.overwrites, write.code) != plan.overwrites.end();
      if (held && !*overwrite) continue;
      if (document_.IsControl(write.code)) {
        // The letter, and no longer the control code whose label was the cell's text.
        document_.SetEntry(write.code, model::CodeEntry{write.text, false, {}, false, {}});
        ++outcome.changed;
        continue;
      }
      if (document_.GetCellText(write.code) == write.text) {
        ++outcome.already;
        continue;
      }
      document_.SetCellText(write.code, write.text);
      ++outcome.changed;
    }
    return outcome.changed > 0;
  });
  return outcome;
}

Session::Outcome Session::WriteTexts(StepKind kind, std::span<const data::CodeText> writes,
                                     bool overwrite) {
  Outcome outcome;
  outcome.status = Outcome::Status::kCancelled;
  (void)Change(kind, [&] {
    outcome.status = Outcome::Status::kDone;
    const model::BulkChange bulk(document_);
    for (const data::CodeText& write : writes) {
      const QByteArray held = document_.GetCellText(write.code);
      if (held == write.text) {
        ++outcome.already;
      } else if (held.isEmpty() || overwrite) {
        document_.SetCellText(write.code, write.text);
        ++outcome.changed;
      }
    }
    return outcome.changed > 0;
  });
  return outcome;
}

bool Session::AddBookmark(qint32 address, const QByteArray& title) {
  return Change(StepKind::kBookmark, [&] { return document_.AddBookmark(address, title); });
}

bool Session::ReplaceBookmark(int slot, qint32 address, const QByteArray& title) {
  return Change(StepKind::kBookmark,
                [&] { return document_.ReplaceBookmark(slot, address, title); });
}

bool Session::RemoveBookmark(int slot) {
  return Change(StepKind::kBookmark, [&] { return document_.RemoveBookmark(slot); });
}

bool Session::CanUndo() const { return history_.canUndo() && !extra_lines_.HasPendingRows(); }

bool Session::CanRedo() const { return history_.canRedo() && !extra_lines_.HasPendingRows(); }

void Session::Undo() {
  if (!CanUndo()) return;
  history_.undo();
  ShowHistoryState();
}

void Session::Redo() {
  if (!CanRedo()) return;
  history_.redo();
  ShowHistoryState();
}

void Session::ShowHistoryState() {
  // The step put the cursor on the first cell it changed; the next keys start a new step.
  typing_run_ = false;
}

void Session::ShowModified() {
  document_.SetModified(!history_.isClean() || changed_outside_history_);
}

void Session::SetInputMode(kana::InputMode mode) { state_.SetInputMode(mode); }

void Session::SetEncoding(text::Encoding encoding) {
  const auto marked = [this] {
    return document_.Form() == text::FileForm::kUtf8Bom &&
           document_.Encoding() == text::Encoding::kUtf8;
  };
  const bool was_marked = marked();
  document_.SetEncoding(encoding);
  // A save now writes the mark or leaves it out: the file would change, so it must be saved.
  if (marked() != was_marked) {
    changed_outside_history_ = true;
    ShowModified();
  }
}

void Session::ConvertTable(text::Encoding encoding) {
  const QString title = QStringLiteral("Convert Table To");
  if (extra_lines_.HasPendingRows()) {
    Tell(title, QStringLiteral("The Extra Lines Manager holds lines that are not in the table "
                               "yet. Close it first, then convert the table."));
    return;
  }
  QList<editing::ConversionFailure> failures;
  Record(StepKind::kConversion, [&] { failures = editing::ConvertTable(document_, encoding); });
  if (failures.isEmpty()) return;
  QStringList lines;
  for (const editing::ConversionFailure& failure : failures) {
    lines << failure.where + QStringLiteral(": ") +
                 failure.why.What(document_.Encoding(), encoding);
  }
  Tell(title,
       QStringLiteral("These texts cannot be written in %1, so nothing was converted:"
                      "\r\n\r\n%2")
           .arg(text::EncodingName(encoding), model::JoinAtMost(lines, QStringLiteral("\r\n"))));
}

void Session::Note(editing::TypingNote note) {
  switch (note) {
    case editing::TypingNote::kNoKanaInEncoding:
      if (told_no_kana_) return;
      told_no_kana_ = true;
      Tell(QStringLiteral("Kana"),
           text::NoKanaText(document_.Encoding(),
                            QStringLiteral("the letters stay as they were typed.")));
      return;
    case editing::TypingNote::kCharacterNotStored:
      emit characterNotStored();
      return;
    case editing::TypingNote::kNone:
      return;
  }
}

void Session::Tell(const QString& title, const QString& text) {
  (void)answers_.MessageBox(text, title, editing::Answers::Icon::kExclamation,
                            editing::Answers::Buttons::kOk);
}

}  // namespace orvane::session
