#pragma once

#include "text/encoding.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace orvane::text {

// Bytes of typed text in the table's encoding: UTF-8, or for EUC-JP its JIS X 0208 pairs and,
// for other characters, the Windows-1252 byte a key would type. Nothing when a character has
// no form in it.
[[nodiscard]] std::optional<QByteArray> EncodeText(const QString& text, Encoding encoding);

// As EncodeText, character by character: a character with no form is left out, the rest kept.
[[nodiscard]] QByteArray EncodeWhatFits(const QString& text, Encoding encoding);

// The bytes to store for text a user edited in a box that showed `original`: text left as it
// was shown keeps the original bytes exactly; new text is encoded for the table. Nothing when a
// character has no form in the encoding.
[[nodiscard]] std::optional<QByteArray> EditedBytes(const QString& text, const QByteArray& original,
                                                    Encoding encoding);

}  // namespace orvane::text
