#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace orvane::tools {

// Everything the tool prints passes through these, in UTF-8: a table's text or a file's name
// could otherwise send escape sequences to the terminal (retitle it, clear it).

// A name from the command line as text::ReadableFileName shows it ("caf\xE9.tbl").
[[nodiscard]] QByteArray PrintableName(QByteArrayView name);
// Control characters as the grid shows them (their pictures); C1 controls, which a terminal may
// obey too and which have no pictures, as U+FFFD.
[[nodiscard]] QByteArray PrintableText(QString text);
// Whether UTF-8 text holds nothing PrintableText would change.
[[nodiscard]] bool IsPrintableUtf8(QByteArrayView utf8);

}  // namespace orvane::tools
