#pragma once

#include "text/encoding.h"

#include <QByteArrayView>
#include <QString>

namespace orvane::text {

// One visible character per byte, or per EUC-JP pair, or per UTF-8 sequence: control bytes
// become control pictures, so a cell never shows blank and never breaks its row.
[[nodiscard]] QString DisplayText(QByteArrayView bytes, Encoding encoding);

// Most texts a panel or a tooltip shows are short; a pasted one of megabytes would wrap over the
// window or fill the screen.
inline constexpr qsizetype kShownCharacters = 200;

// The first kShownCharacters characters of the text, and "…" when there were more.
[[nodiscard]] QString Abridged(const QString& text);

// The characters with each control character (C0, DEL) as its picture, as a cell shows it.
[[nodiscard]] QString WithControlPictures(QString text);

// Whether a terminal would obey or hide the character rather than show it: a C1 control, or one
// that reorders text or breaks its line (U+061C, U+200E, U+200F, U+202A..U+202E, U+2066..U+2069,
// U+2028, U+2029); they have no pictures.
[[nodiscard]] bool IsInvisibleControl(char16_t unit);
// The text with each of those as its code ("<U+202E>"), which a reader can type back.
[[nodiscard]] QString WithInvisibleAsCodes(QString text);

}  // namespace orvane::text
