#pragma once

#include "text/encoding.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace orvane::text {

// The bytes to store for text a user edited in a box that showed `original`: text left as it
// was shown keeps the original bytes exactly; new text is encoded for the table, the control
// pictures of the original's control bytes turned back into those bytes. Nothing when a
// character has no form in the encoding.
[[nodiscard]] std::optional<QByteArray> EditedBytes(const QString& text, const QByteArray& original,
                                                    Encoding encoding);

// The bytes of a key typed into a cell. In EUC-JP and Windows-1252 tables a key of Latin-1 or
// Windows-1252 types its byte, as the format has always appended keys 128..255; otherwise the
// character takes its form in the table's encoding (in EUC-JP a JIS X 0208 pair). Nothing when
// it has none.
[[nodiscard]] std::optional<QByteArray> KeyBytes(QChar key, Encoding encoding);

}  // namespace orvane::text
