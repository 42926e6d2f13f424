#pragma once

#include "text/encoding.h"

#include <QByteArrayView>
#include <QString>

namespace orvane::text {

// One visible character per byte, or per EUC-JP pair, or per UTF-8 sequence: control bytes
// become control pictures, so a cell never shows blank and never breaks its row.
[[nodiscard]] QString DisplayText(QByteArrayView bytes, Encoding encoding);

// The characters with each control character (C0, DEL) as its picture, as a cell shows it.
[[nodiscard]] QString WithControlPictures(QString text);

}  // namespace orvane::text
