#include "editing/fill_commands.h"

#include "editing/autocompletion.h"

namespace orvane::editing {

std::optional<FillReach> RunFill(const FillCommand& command, model::TableDocument& document,
                                 EditingState& state) {
  if (command.kind == FillCommand::Kind::kRange) {
    return AutoFillRange(document, state, command.first, command.last);
  }
  return AutoFillTable(document, state, command.table, command.script, command.upper_case);
}

}  // namespace orvane::editing
