#pragma once

#include "data/code_lookup.h"
#include "data/data_source.h"
#include "tbl_tool.h"
#include "tool_files.h"
#include "tool_output.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <variant>

namespace orvane::tools {

// A game's data as `decode` and `search` read it. These functions hold every use the tool makes
// of the data layer's data source and of its reader of data into text.

// DATA opened to be read at offsets: a regular file named by the command line's bytes. Standard
// input, a named pipe or a device cannot be read at offsets and are refused.
[[nodiscard]] std::variant<std::unique_ptr<data::DataSource>, ReadError> OpenData(
    const QByteArray& name);

// The refusal of "-" as DATA by `command`, with exit 2.
[[nodiscard]] ToolResult StandardInputAsData(QByteArrayView command);

struct StreamEnd {
  bool output_closed = false;
  QString error;     // the data could not be read to the end
  bool cut = false;  // the data ended inside a control code's arguments
};

// The strings of `length` bytes of the data from `from` (to its end when `length` is negative),
// one a line as "0001F3A0: text", written to `out` block by block as they are read: a string
// longer than a block goes out in pieces on its line, and memory stays that of a block. Stops
// as soon as `out` takes nothing more.
[[nodiscard]] StreamEnd StreamStrings(const data::CodeLookup& lookup, data::DataSource& source,
                                      qint64 from, qint64 length, OutputSink& out);

}  // namespace orvane::tools
