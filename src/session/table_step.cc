#include "session/table_step.h"

#include "editing/editing_state.h"

namespace orvane::session {

QString StepName(StepKind kind) {
  switch (kind) {
    case StepKind::kTyping:
      return QStringLiteral("Typing");
    case StepKind::kFill:
      return QStringLiteral("Fill");
    case StepKind::kMark:
      return QStringLiteral("Mark");
    case StepKind::kUnmark:
      return QStringLiteral("Unmark");
    case StepKind::kBookmark:
      return QStringLiteral("Bookmark");
    case StepKind::kExtraLines:
      return QStringLiteral("Extra Lines");
    case StepKind::kConversion:
      return QStringLiteral("Conversion");
    case StepKind::kPaste:
      return QStringLiteral("Paste");
    case StepKind::kApplySearch:
      return QStringLiteral("Apply Search");
    case StepKind::kControlCode:
      return QStringLiteral("Control Code");
    case StepKind::kFillFromFont:
      return QStringLiteral("Fill from Font");
    case StepKind::kFitOrder:
      return QStringLiteral("Fit Order");
    case StepKind::kFontCharacter:
      return QStringLiteral("Character from Font");
  }
  return {};
}

TableStep::TableStep(model::TableDocument& document, editing::EditingState& state, StepKind kind,
                     model::TableState before, model::TableState after,
                     const model::Code& typed_code, bool continues)
    : QUndoCommand(StepName(kind)),
      document_(document),
      state_(state),
      kind_(kind),
      before_(std::move(before)),
      after_(std::move(after)),
      typed_code_(typed_code),
      continues_(continues) {}

void TableStep::undo() { Show(before_); }

void TableStep::redo() {
  if (done_) {
    done_ = false;
    return;
  }
  Show(after_);
}

int TableStep::id() const { return kind_ == StepKind::kTyping ? 1 : -1; }

bool TableStep::mergeWith(const QUndoCommand* other) {
  const auto* next = static_cast<const TableStep*>(other);
  if (!next->continues_ || next->typed_code_ != typed_code_) return false;
  after_ = next->after_;
  // Keys typed and taken back again leave nothing to undo.
  setObsolete(after_ == before_);
  return true;
}

void TableStep::Show(const model::TableState& state) {
  const model::TableState now = document_.Snapshot();
  // Only a conversion changes how the bytes are read; a correction made since stays.
  document_.Restore(state, kind_ == StepKind::kConversion);
  if (const auto code = model::FirstChangedCode(now, state)) state_.SelectCode(*code);
}

}  // namespace orvane::session
