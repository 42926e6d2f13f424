#include "session/session.h"

#include "editing/special_characters.h"
#include "editing/table_conversion.h"
#include "model/limited_list.h"

namespace orvane::session {
namespace {

QString NoKanaText(text::Encoding encoding, const QString& outcome) {
  return QStringLiteral(
             "The table is written in %1, which has no kana: %2\r\n\r\nIf the table is "
             "in another encoding, choose it under Options, Encoding; to write kana, "
             "convert the table under Options, Convert Table To.")
      .arg(text::EncodingName(encoding), outcome);
}

}  // namespace

Session::Session(editing::Answers& answers, QObject* parent) : QObject(parent), answers_(answers) {
  connect(&document_, &model::TableDocument::encodingChanged, this,
          [this](text::Encoding encoding) {
            told_no_kana_ = false;
            emit encodingChanged(encoding);
          });
  connect(&commands_, &commands::DocumentCommands::tableReplaced, this, [this] {
    told_no_kana_ = false;
    emit tableReplaced();
  });
}

void Session::TypeKey(QChar key) { Note(editing::TypeCharacter(document_, state_, key)); }

void Session::CommitText(const QString& text) {
  Note(editing::AppendCommittedText(document_, state_, text));
}

void Session::RunFill(const editing::FillCommand& fill) {
  if (editing::RunFill(fill, document_, state_)) return;
  Tell(QStringLiteral("Kana"),
       NoKanaText(document_.Encoding(), QStringLiteral("nothing was written.")));
}

void Session::SetSpecialCharacter() { editing::SetSpecialCharacter(document_, state_, answers_); }

void Session::UnsetSpecialCharacter() { editing::UnsetSpecialCharacter(document_, state_); }

void Session::SetInputMode(kana::InputMode mode) { state_.SetInputMode(mode); }

void Session::SetEncoding(text::Encoding encoding) { document_.SetEncoding(encoding); }

void Session::ConvertTable(text::Encoding encoding) {
  const QString title = QStringLiteral("Convert Table To");
  if (extra_lines_.HasPendingRows()) {
    Tell(title, QStringLiteral("The Extra Lines Manager holds lines that are not in the table "
                               "yet. Close it first, then convert the table."));
    return;
  }
  const QList<editing::ConversionFailure> failures = editing::ConvertTable(document_, encoding);
  if (failures.isEmpty()) return;
  QStringList lines;
  for (const editing::ConversionFailure& failure : failures) {
    lines << failure.where + QStringLiteral(": ") + failure.why.What(document_.Encoding());
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
      Tell(
          QStringLiteral("Kana"),
          NoKanaText(document_.Encoding(), QStringLiteral("the letters stay as they were typed.")));
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
