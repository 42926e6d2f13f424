#pragma once

#include "editing/editing_state.h"
#include "kana/kana_tables.h"
#include "model/table_document.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace orvane::editing {

// How far a fill got: of its texts, how many it wrote. It writes fewer when it meets the page's
// last cell first.
struct FillReach {
  qsizetype written = 0;
  qsizetype texts = 0;
};

// Writes the texts into consecutive cells of the cursor's page from the cursor on, moving the
// cursor past each one, as one bulk change (the grid redraws once). Marks are kept. A walk that
// writes the page's last cell (FF, 81FF) ends there with the cursor on it. An empty sequence
// changes nothing.
FillReach AutoFillWalk(model::TableDocument& document, EditingState& state,
                       const std::vector<QByteArray>& texts);

// The one-byte texts first, first + 1, ... last; nothing when first > last.
FillReach AutoFillRange(model::TableDocument& document, EditingState& state, quint8 first,
                        quint8 last);

// The table's entries in index order: romaji (upper-cased on request) for kAscii, or each
// entry's kana of the script in the table's encoding. Nothing, and nothing written, when the
// encoding has no kana.
[[nodiscard]] std::optional<FillReach> AutoFillTable(model::TableDocument& document,
                                                     EditingState& state, kana::KanaTable table,
                                                     kana::InputMode script, bool upper_case);

}  // namespace orvane::editing
