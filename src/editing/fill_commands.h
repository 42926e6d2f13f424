#pragma once

#include "editing/editing_state.h"
#include "kana/kana_tables.h"
#include "model/table_document.h"

#include <optional>

namespace orvane::editing {

// One autocompletion command with its fixed arguments: a range of byte values, or a kana table
// written in a script.
struct FillCommand {
  enum class Kind { kRange, kTable };

  Kind kind = Kind::kRange;
  quint8 first = 0;
  quint8 last = 0;
  kana::KanaTable table = kana::KanaTable::kRomajiPure;
  kana::InputMode script = kana::InputMode::kAscii;
  bool upper_case = false;

  friend bool operator==(const FillCommand&, const FillCommand&) = default;
};

// The fill behind a toolbar button (1..14), or nothing for a button that is not a fill.
[[nodiscard]] std::optional<FillCommand> ToolbarFill(int button);

// The fill behind item `item` (from 1) of a button's drop-down menu, or nothing.
[[nodiscard]] std::optional<FillCommand> DropDownFill(int button, int item);

void RunFill(const FillCommand& command, model::TableDocument& document, EditingState& state);

}  // namespace orvane::editing
