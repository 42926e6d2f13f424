#pragma once

#include "kana/kana_tables.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace orvane::kana {

// The kana of the first syllable equal to the whole text (case-sensitive), as the mode's lead
// byte and the trail byte; nothing when no syllable matches or the mode is ASCII.
[[nodiscard]] std::optional<QByteArray> KanaForRomaji(QByteArrayView text, InputMode mode);

// The syllable a vowel key completes after a lone "n" kana: "na" .. "no". A lone "n" converts
// at its own key, before a vowel can follow, so these five are reached this way.
[[nodiscard]] std::optional<QByteArray> RomajiAfterN(quint8 key);

}  // namespace orvane::kana
