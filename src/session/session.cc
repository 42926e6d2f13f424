#include "session/session.h"

#include "editing/cell_editing.h"
#include "editing/special_characters.h"

namespace orvane::session {

Session::Session(editing::Answers& answers, QObject* parent) : QObject(parent), answers_(answers) {
  connect(&document_, &model::TableDocument::encodingChanged, this, &Session::encodingChanged);
  connect(&commands_, &commands::DocumentCommands::tableReplaced, this, &Session::tableReplaced);
}

void Session::TypeKey(quint8 key) { editing::HandleCellKey(document_, state_, key); }

void Session::CommitText(const QString& text) {
  editing::AppendCommittedText(document_, state_, text);
}

void Session::RunFill(const editing::FillCommand& fill) {
  editing::RunFill(fill, document_, state_);
}

void Session::SetSpecialCharacter() { editing::SetSpecialCharacter(document_, state_, answers_); }

void Session::UnsetSpecialCharacter() { editing::UnsetSpecialCharacter(document_, state_); }

void Session::SetInputMode(kana::InputMode mode) { state_.SetInputMode(mode); }

}  // namespace orvane::session
