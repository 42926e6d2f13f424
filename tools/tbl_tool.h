#pragma once

#include <QByteArray>
#include <QStringList>

namespace orvane::model {
class TableDocument;
}

namespace orvane::tools {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// What one run of the command-line tool prints and returns; kept apart from the process so
// tests can run it in-process.
struct ToolResult {
  int exit_code = kExitOk;
  QByteArray out;
  QByteArray err;
};

// `arguments` excludes the program name; they are the command line's bytes, and a file name
// among them need not be UTF-8.
[[nodiscard]] ToolResult RunTblTool(const QList<QByteArray>& arguments);
// The same with each argument in UTF-8.
[[nodiscard]] ToolResult RunTblTool(const QStringList& arguments);

// "N codes, N longer codes, N special marks, N bookmarks, N extra lines, NAME": the codes of one
// byte, then those of two to four bytes (each once, empty ones included); a special mark of any
// length counts only where the file would hold it, on a "/" or "*" cell; the extra lines are the
// lines that are neither codes nor marks nor bookmarks; NAME is the file's form where it has one
// ("UTF-16LE"), else the encoding of its text.
[[nodiscard]] QByteArray Summary(const model::TableDocument& document);

}  // namespace orvane::tools
