#include "editing/fill_commands.h"

#include "editing/autocompletion.h"

namespace orvane::editing {

bool RunFill(const FillCommand& command, model::TableDocument& document, EditingState& state) {
  if (command.kind == FillCommand::Kind::kRange) {
    AutoFillRange(document, state, command.first, command.last);
    return true;
  }
  return AutoFillTable(document, state, command.table, command.script, command.upper_case);
}

}  // namespace orvane::editing
