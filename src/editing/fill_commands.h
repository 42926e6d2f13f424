#pragma once

#include "editing/autocompletion.h"
#include "editing/editing_state.h"
#include "kana/kana_tables.h"
#include "model/table_document.h"

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

  // The one-byte texts first .. last.
  [[nodiscard]] static constexpr FillCommand Range(quint8 first, quint8 last) {
    return FillCommand{Kind::kRange, first, last, {}, {}, false};
  }
  // A table's entries: romaji (upper-cased on request) for kAscii, or kana of the script.
  [[nodiscard]] static constexpr FillCommand Table(kana::KanaTable table, kana::InputMode script,
                                                   bool upper_case = false) {
    return FillCommand{Kind::kTable, 0, 0, table, script, upper_case};
  }

  friend bool operator==(const FillCommand&, const FillCommand&) = default;
};

// How far it got; nothing, and nothing written, when the fill writes kana and the table's
// encoding has none.
[[nodiscard]] std::optional<FillReach> RunFill(const FillCommand& command,
                                               model::TableDocument& document, EditingState& state);

}  // namespace orvane::editing
