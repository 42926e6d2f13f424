#include "tbl_tool.h"

#include "model/hex.h"
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

QByteArray WarningText(const model::LoadWarning& warning) {
  const QByteArray code = model::HexByte(warning.code);
  switch (warning.kind) {
    case model::LoadWarning::Kind::kReplaced:
      return "code " + code + " is defined again on line " +
             QByteArray::number(warning.replaced_by);
    case model::LoadWarning::Kind::kNoText:
      return "code " + code + " has no text";
    case model::LoadWarning::Kind::kKeptAsExtraLine:
      return "kept as an extra line";
  }
  return {};
}

// The warnings on standard error, then the summary, or the load error with exit 1.
ToolResult Check(const QString& path) {
  TableDocument document;
  QList<model::LoadWarning> warnings;
  const auto error = model::LoadTable(document, path, &warnings);
  QByteArray err;
  for (const model::LoadWarning& warning : warnings) {
    err.append(Native(path)).append(':').append(QByteArray::number(warning.line));
    err.append(": warning: ").append(WarningText(warning)).append('\n');
  }
  if (error) {
    ToolResult failure = LoadFailure(path, *error);
    failure.err.prepend(err);
    return failure;
  }
  return ToolResult{kExitOk, Native(path).append(": ").append(Summary(document)).append('\n'), err};
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
  const QString form = text::FormName(document.Form());
  const QString name = form.isEmpty() ? text::EncodingName(document.Encoding()) : form;
  return QByteArray::number(codes) + " codes, " + QByteArray::number(marks) + " special marks, " +
         QByteArray::number(document.BookmarkCount()) + " bookmarks, " +
         QByteArray::number(document.ExtraLineCount()) + " extra lines, " + name.toUtf8();
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
