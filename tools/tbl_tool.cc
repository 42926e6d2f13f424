#include "tbl_tool.h"

#include "model/table_document.h"
#include "model/table_file.h"

namespace orvane::tools {
namespace {

using model::TableDocument;

constexpr char kUsage[] = "usage: orvane-tbl check FILE | orvane-tbl normalize IN OUT\n";

QByteArray Native(const QString& text) { return text.toLocal8Bit(); }

ToolResult Failure(QByteArray message) { return ToolResult{kExitFailed, {}, message.append('\n')}; }

// "FILE:LINE: reason", or "FILE: reason" when the file itself could not be read.
ToolResult LoadFailure(const QString& path, const model::LoadError& error) {
  QByteArray message = Native(path);
  if (error.line > 0) message.append(':').append(QByteArray::number(error.line));
  return Failure(message.append(": ").append(Native(error.reason)));
}

ToolResult Check(const QString& path) {
  TableDocument document;
  if (const auto error = model::LoadTable(document, path)) return LoadFailure(path, *error);
  return ToolResult{kExitOk, Native(path).append(": ").append(Summary(document)).append('\n'), {}};
}

// A broken input writes nothing, so OUT never receives a partial table.
ToolResult Normalize(const QString& in, const QString& out) {
  TableDocument document;
  if (const auto error = model::LoadTable(document, in)) return LoadFailure(in, *error);
  if (const auto error = model::SaveTable(document, out)) {
    return Failure(Native(out).append(": ").append(Native(error->reason)));
  }
  return ToolResult{};
}

}  // namespace

QByteArray Summary(const TableDocument& document) {
  int codes = 0;
  int marks = 0;
  for (int c = 0; c < model::kCodeCount; ++c) {
    const auto code = static_cast<quint8>(c);
    const QByteArray text = document.GetCellText(code);
    if (text.isEmpty()) continue;
    ++codes;
    if (document.IsSpecial(code) && (text == "/" || text == "*")) ++marks;
  }
  return QByteArray::number(codes) + " codes, " + QByteArray::number(marks) + " special marks, " +
         QByteArray::number(document.BookmarkCount()) + " bookmarks, " +
         QByteArray::number(document.ExtraLineCount()) + " extra lines";
}

ToolResult RunTblTool(const QStringList& arguments) {
  const QString command = arguments.value(0);
  if (command == QLatin1String("check") && arguments.size() == 2) return Check(arguments[1]);
  if (command == QLatin1String("normalize") && arguments.size() == 3) {
    return Normalize(arguments[1], arguments[2]);
  }
  return ToolResult{kExitUsage, {}, kUsage};
}

}  // namespace orvane::tools
