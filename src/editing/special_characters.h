#pragma once

#include "editing/answers.h"
#include "editing/editing_state.h"
#include "model/table_document.h"

namespace orvane::editing {

// Marks the cell under the cursor as end of string ("/") or end of line ("*"). Any other text
// is refused with a message and nothing changes.
void SetSpecialCharacter(model::TableDocument& document, const EditingState& state,
                         Answers& answers);

// Takes the mark off the cell under the cursor, whatever its text; an unmarked cell is left.
void UnsetSpecialCharacter(model::TableDocument& document, const EditingState& state);

}  // namespace orvane::editing
