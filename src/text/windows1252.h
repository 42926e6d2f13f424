#pragma once

#include <QChar>

#include <optional>

namespace orvane::text {

// The Windows-1252 character of a byte, or nothing for the five unassigned bytes.
[[nodiscard]] std::optional<QChar> Windows1252Char(quint8 byte);

// The byte of a Latin-1 or Windows-1252 character, as its key types it, or nothing.
[[nodiscard]] std::optional<quint8> KeyByte(QChar character);

}  // namespace orvane::text
