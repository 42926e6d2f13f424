#pragma once

#include "model/table_document.h"

#include <QUndoCommand>

namespace orvane::editing {
class EditingState;
}

namespace orvane::session {

// What a step of the history did, as Undo and Redo name it.
enum class StepKind {
  kTyping,
  kFill,
  kMark,
  kUnmark,
  kBookmark,
  kExtraLines,
  kConversion,
  kPaste,
  kApplySearch,
  kControlCode,
  kFillFromFont,
  kFitOrder,
  kFontCharacter,
};

[[nodiscard]] QString StepName(StepKind kind);

// One change of the table, held as the table before and after it (snapshots share their data,
// so a step of a whole-table fill costs no copy of the table). Undo and redo put the cursor on
// the first code they change, on its page. Keys typed into one cell merge into one step while
// `continues` is set by the session.
class TableStep : public QUndoCommand {
 public:
  TableStep(model::TableDocument& document, editing::EditingState& state, StepKind kind,
            model::TableState before, model::TableState after, const model::Code& typed_code,
            bool continues);

  void undo() override;
  void redo() override;
  [[nodiscard]] int id() const override;
  bool mergeWith(const QUndoCommand* other) override;

 private:
  void Show(const model::TableState& state);

  model::TableDocument& document_;
  editing::EditingState& state_;
  StepKind kind_;
  model::TableState before_;
  model::TableState after_;
  model::Code typed_code_;
  bool continues_;
  bool done_ = true;  // pushed after the change was made: the first redo has nothing to do
};

}  // namespace orvane::session
