#pragma once

#include "model/table_document.h"
#include "model/table_file.h"
#include "tbl_tool.h"
#include "text/encoding.h"
#include "tool_files.h"

#include <QByteArray>
#include <QList>

#include <optional>
#include <variant>

namespace orvane::tools {

// "NAME: reason" on standard error, with exit 1.
[[nodiscard]] ToolResult Failure(const QByteArray& name, const QString& reason);

// "NAME is a folder.", "NAME is not a regular file." or "NAME: reason", with exit 1.
[[nodiscard]] ToolResult Unreadable(const QByteArray& name, const ReadError& error);

// A table read from its file once, with the warnings every command that loads it prints.
struct LoadedTable {
  model::TableDocument document;
  QByteArray bytes;
  QList<model::LoadWarning> warnings;
  QByteArray err;  // the warnings as printed, "FILE:LINE: warning: ..."
};

// Fills `table` from the file (or standard input, "-"); its load error, after the warnings,
// when there is one. `warn` false collects none, for `show`, which prints the table alone.
[[nodiscard]] std::optional<ToolResult> Load(const QByteArray& path, LoadedTable& table,
                                             bool warn = true);

// The table as a save writes it, to OUT or standard output, after `err`.
[[nodiscard]] ToolResult Write(const QByteArray& out, const model::TableDocument& document,
                               const QByteArray& err,
                               model::SaveLayout layout = model::SaveLayout::kCanonical);

// An encoding named on the command line, or the usage error that names those there are.
[[nodiscard]] std::variant<text::Encoding, ToolResult> EncodingArgument(const QByteArray& name);

}  // namespace orvane::tools
