#include "loaded_table.h"

#include "tool_files.h"
#include "tool_text.h"

#include <QStringList>

namespace orvane::tools {
namespace {

// "FILE:LINE: reason", or "FILE: reason" when the file itself could not be read.
ToolResult LoadFailure(const QByteArray& path, const model::LoadError& error) {
  if (error.line == 0) return Failure(path, error.reason);
  return Failure(path + ':' + QByteArray::number(error.line), error.reason);
}

}  // namespace

ToolResult Failure(const QByteArray& name, const QString& reason) {
  return ToolResult{kExitFailed, {}, PrintableName(name) + ": " + PrintableText(reason) + '\n'};
}

ToolResult Unreadable(const QByteArray& name, const ReadError& error) {
  switch (error.kind) {
    case ReadError::Kind::kFolder:
      return ToolResult{kExitFailed, {}, PrintableName(name) + " is a folder.\n"};
    case ReadError::Kind::kNotRegular:
      return ToolResult{kExitFailed, {}, PrintableName(name) + " is not a regular file.\n"};
    case ReadError::Kind::kSystem:
      break;
  }
  return Failure(name, error.reason);
}

std::optional<ToolResult> Load(const QByteArray& path, LoadedTable& table, bool warn) {
  auto content = ReadInput(path);
  if (const auto* error = std::get_if<ReadError>(&content)) return Unreadable(path, *error);
  table.bytes = std::get<QByteArray>(std::move(content));
  const auto error =
      model::LoadTableFromBytes(table.document, table.bytes, warn ? &table.warnings : nullptr);
  const QByteArray name = PrintableName(path);  // once: a table may draw millions of warnings
  for (const model::LoadWarning& warning : table.warnings) {
    table.err.append(name).append(':').append(QByteArray::number(warning.line));
    table.err.append(": warning: ").append(model::WarningText(warning)).append('\n');
  }
  if (!error) return std::nullopt;
  ToolResult failure = LoadFailure(path, *error);
  failure.err.prepend(table.err);
  return failure;
}

ToolResult Write(const QByteArray& out, const model::TableDocument& document, const QByteArray& err,
                 model::SaveLayout layout) {
  auto bytes = model::FileBytes(document, layout);
  std::optional<QString> failure;
  if (const auto* error = std::get_if<model::SaveError>(&bytes)) failure = error->reason;
  if (!failure && out == kStandardStream) {
    return ToolResult{kExitOk, std::get<QByteArray>(std::move(bytes)), err};
  }
  if (!failure) failure = ReplaceFile(out, std::get<QByteArray>(bytes));
  if (!failure) return ToolResult{kExitOk, {}, err};
  ToolResult result = Failure(out, *failure);
  result.err.prepend(err);
  return result;
}

std::variant<text::Encoding, ToolResult> EncodingArgument(const QByteArray& name) {
  if (const auto encoding = text::EncodingFromName(QString::fromUtf8(name))) return *encoding;
  QStringList known;
  for (const text::Encoding encoding : text::kEncodings) known << text::EncodingName(encoding);
  return ToolResult{kExitUsage,
                    {},
                    "orvane-tbl: unknown encoding '" + PrintableName(name) +
                        "'; known encodings: " + known.join(QStringLiteral(", ")).toUtf8() +
                        " (any letter case)\n"};
}

}  // namespace orvane::tools
