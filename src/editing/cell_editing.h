#pragma once

#include "editing/editing_state.h"
#include "model/table_document.h"

#include <QByteArray>

namespace orvane::editing {

inline constexpr quint8 kBackspaceKey = 8;

// Edits the cell under the cursor for one typed key (0..255). Backspace empties the cell in the
// kana modes and drops the last byte in ASCII; other control keys change nothing; printable
// keys are appended, converting romaji in the kana modes. The modified flag is set only when
// the text changed.
void HandleCellKey(model::TableDocument& document, const EditingState& state, quint8 key);

// Appends text that an input method committed, already encoded as cell bytes, to the cell under
// the cursor. Empty text changes nothing.
void AppendCommittedText(model::TableDocument& document, const EditingState& state,
                         const QByteArray& bytes);

}  // namespace orvane::editing
