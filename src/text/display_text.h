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

}  // namespace orvane::text
