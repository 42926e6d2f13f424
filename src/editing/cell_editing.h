#pragma once

#include "editing/editing_state.h"
#include "kana/kana_tables.h"
#include "model/table_document.h"

#include <QByteArray>
#include <QString>

namespace orvane::editing {

inline constexpr quint8 kBackspaceKey = 8;

// Edits the cell under the cursor for one typed key (0..255). Backspace empties the cell in the
// kana modes and drops the last byte in ASCII; other control keys change nothing; printable
// keys are appended, converting romaji in the kana modes. The modified flag is set only when
// the text changed.
void HandleCellKey(model::TableDocument& document, const EditingState& state, quint8 key);

// Appends the typed byte to the cell, sets the modified flag and, in a kana mode, turns a cell
// that now spells a syllable into its kana.
void AppendTypedCharacter(model::TableDocument& document, quint8 code, kana::InputMode mode,
                          quint8 key);

// Appends text that an input method committed to the cell under the cursor, in the table's
// encoding; control characters and characters with no form in it are left out. Nothing left
// changes nothing.
void AppendCommittedText(model::TableDocument& document, const EditingState& state,
                         const QString& text);

}  // namespace orvane::editing
