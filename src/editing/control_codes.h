#pragma once

#include "editing/answers.h"
#include "editing/editing_state.h"
#include "model/table_document.h"

#include <QString>

namespace orvane::editing {

// Asks for the code under the cursor as a control code, spelled as its line spells it after
// "=": the label, then a comma and the arguments ("<pause=>,1", "[area],id"). An empty answer
// makes a control code a plain code again, its label its text. Arguments not of the form are
// refused with a message, and nothing changes.
void EditControlCode(model::TableDocument& document, const EditingState& state, Answers& answers);

// What a cell is beyond its text, for the status bar: " (control code, 1 argument byte)", or
// nothing for a plain code.
[[nodiscard]] QString CodeNote(const model::TableDocument& document, const model::Code& code);

}  // namespace orvane::editing
