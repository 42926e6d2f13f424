#pragma once

#include "tool_output.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

namespace orvane::model {
class TableDocument;
}

namespace orvane::tools {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// What one run of the command-line tool returns; kept apart from the process so tests can run
// it in-process. A command whose output is small makes it whole in `out`, which the run then
// writes to its sink; `decode` writes to the sink as it reads.
struct ToolResult {
  int exit_code = kExitOk;
  QByteArray out;
  QByteArray err;
};

// `arguments` excludes the program name; they are the command line's bytes, and a file name
// among them need not be UTF-8. Standard output goes to `out`; the result's `out` is empty. A
// sink that stops taking output makes the run stop and fail, with no message of its own.
[[nodiscard]] ToolResult RunTblTool(const QList<QByteArray>& arguments, OutputSink& out);
// The same with standard output kept in the result's `out`.
[[nodiscard]] ToolResult RunTblTool(const QList<QByteArray>& arguments);
// The same with each argument in UTF-8.
[[nodiscard]] ToolResult RunTblTool(const QStringList& arguments);

// A wrong command line: "orvane-tbl: reason" (with `prefix` in place of "orvane-tbl: ") when
// there is a reason, then the usage; exit 2.
[[nodiscard]] ToolResult UsageError(const QString& reason = {},
                                    QByteArrayView prefix = "orvane-tbl: ");

// "N codes, N longer codes, N special marks, N bookmarks, N extra lines, NAME": the codes of one
// byte, then those of two to four bytes (each once, empty ones included); a special mark of any
// length counts only where the file would hold it, on a "/" or "*" cell; the extra lines are the
// lines that are neither codes nor marks nor bookmarks; NAME is the file's form where it has one
// ("UTF-16LE"), else the encoding of its text.
[[nodiscard]] QByteArray Summary(const model::TableDocument& document);

}  // namespace orvane::tools
