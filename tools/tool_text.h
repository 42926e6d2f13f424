#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace orvane::tools {

// Everything the tool prints passes through these, in UTF-8: a table's text or a file's name
// could otherwise send escape sequences to the terminal (retitle it, clear it) or reorder what
// it shows.

// A name from the command line as text::ReadableFileName shows it ("caf\xE9.tbl").
[[nodiscard]] QByteArray PrintableName(QByteArrayView name);
// Control characters as the grid shows them (their pictures); those with no picture, which a
// terminal would obey or hide (C1 controls, bidirectional and line-separating ones), as their
// codes ("<U+009B>").
[[nodiscard]] QByteArray PrintableText(QString text);
// Whether UTF-8 text holds nothing PrintableText would change.
[[nodiscard]] bool IsPrintableUtf8(QByteArrayView utf8);

// An offset as every command prints it: "0001F3A0".
[[nodiscard]] QByteArray OffsetText(qint64 offset);
// "1 byte", "9 bytes".
[[nodiscard]] QString ByteCount(qint64 bytes);

// Why a TEXT or WORD cannot be read as UTF-8 ("TEXT is not valid UTF-8 (byte 4)", counting
// from 1), or nothing: Qt would make each bad byte U+FFFD and so another text.
[[nodiscard]] std::optional<QString> WhyNotUtf8(QByteArrayView what, QByteArrayView bytes);

}  // namespace orvane::tools
