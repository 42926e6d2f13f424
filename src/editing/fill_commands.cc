#include "editing/fill_commands.h"

#include "editing/autocompletion.h"

namespace orvane::editing {
namespace {

using kana::InputMode;
using kana::KanaTable;

constexpr FillCommand Range(quint8 first, quint8 last) {
  return FillCommand{FillCommand::Kind::kRange, first, last, {}, {}, false};
}

constexpr FillCommand Table(KanaTable table, InputMode script, bool upper_case = false) {
  return FillCommand{FillCommand::Kind::kTable, 0, 0, table, script, upper_case};
}

}  // namespace

std::optional<FillCommand> ToolbarFill(int button) {
  switch (button) {
    case 8:
      return Range('A', 'Z');
    case 9:
      return Range('a', 'z');
    case 10:
      return Range('0', '9');
    case 12:
    case 13:
    case 14:
      // Pressing a drop-down button does what its first item does.
      return DropDownFill(button, 1);
    default:
      return std::nullopt;
  }
}

std::optional<FillCommand> DropDownFill(int button, int item) {
  switch (button) {
    case 12:
      // Items 1-2 pure sounds, 3-4 impure; odd items upper case.
      if (item < 1 || item > 4) return std::nullopt;
      return Table(item <= 2 ? KanaTable::kRomajiPure : KanaTable::kRomajiImpure, InputMode::kAscii,
                   item % 2 == 1);
    case 13:
    case 14:
      if (item < 1 || item > 2) return std::nullopt;
      return Table(item == 1 ? KanaTable::kKanaTrailPure : KanaTable::kKanaTrailImpure,
                   button == 13 ? InputMode::kKatakana : InputMode::kHiragana);
    default:
      return std::nullopt;
  }
}

void RunFill(const FillCommand& command, model::TableDocument& document, EditingState& state) {
  if (command.kind == FillCommand::Kind::kRange) {
    AutoFillRange(document, state, command.first, command.last);
  } else {
    AutoFillTable(document, state, command.table, command.script, command.upper_case);
  }
}

}  // namespace orvane::editing
