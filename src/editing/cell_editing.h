#pragma once

#include "editing/editing_state.h"
#include "kana/kana_tables.h"
#include "model/table_document.h"

#include <QByteArray>
#include <QChar>
#include <QString>

namespace orvane::editing {

inline constexpr quint8 kBackspaceKey = 8;

// What a key or a text did that the user must learn of, beyond the cell.
enum class TypingNote {
  kNone,
  kNoKanaInEncoding,    // a syllable was spelled, but the table's encoding has no kana
  kCharacterNotStored,  // a character has no form in the table's encoding and was left out
};

// Edits the cell under the cursor for one typed key (0..255). Backspace empties the cell in the
// kana modes and drops the last character in ASCII; other control keys change nothing;
// printable keys are appended as bytes, converting romaji in the kana modes. The modified flag
// is set only when the text changed.
TypingNote HandleCellKey(model::TableDocument& document, const EditingState& state, quint8 key);

// A character typed on the keyboard: ASCII as HandleCellKey; any other in the table's encoding
// (text::KeyBytes).
TypingNote TypeCharacter(model::TableDocument& document, const EditingState& state,
                         QChar character);

// Appends the typed byte to the cell, sets the modified flag and, in a kana mode, turns a cell
// that now spells a syllable into its kana, written in the table's encoding.
TypingNote AppendTypedCharacter(model::TableDocument& document, const model::Code& code,
                                kana::InputMode mode, quint8 key);

// Appends text from an input method or the clipboard to the cell under the cursor, in the
// table's encoding; control characters and characters with no form in it are left out. Nothing
// left changes nothing.
TypingNote AppendCommittedText(model::TableDocument& document, const EditingState& state,
                               const QString& text);

}  // namespace orvane::editing
