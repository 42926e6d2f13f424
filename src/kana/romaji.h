#pragma once

#include "kana/kana_tables.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace orvane::model {
class TableDocument;
}

namespace orvane::kana {

// The kana of the first syllable equal to the whole text (case-sensitive), as the mode's lead
// byte and the trail byte; nothing when no syllable matches or the mode is ASCII.
[[nodiscard]] std::optional<QByteArray> KanaForRomaji(QByteArrayView text, InputMode mode);

// Appends the typed byte to the cell, sets the modified flag and, in a kana mode, turns a cell
// that now spells a syllable into its kana. A cell holding only the mode's "n" kana becomes
// na/ni/nu/ne/no on the vowel, since "n" alone converts before a vowel can follow.
void AppendTypedCharacter(model::TableDocument& document, quint8 code, InputMode mode, quint8 key);

}  // namespace orvane::kana
