#include "tbl_tool.h"

#include "editing/table_conversion.h"
#include "model/table_document.h"
#include "model/table_file.h"
#include "orvane_version.h"
#include "search_command.h"
#include "text/codec.h"
#include "tool_files.h"
#include "tool_text.h"

#include <QSet>

namespace orvane::tools {
namespace {

using model::TableDocument;

constexpr char kUsage[] =
    "usage: orvane-tbl check FILE\n"
    "       orvane-tbl normalize IN OUT\n"
    "       orvane-tbl convert [--keep-layout] IN OUT ENCODING\n"
    "       orvane-tbl show [--encoding ENCODING] FILE\n"
    "       orvane-tbl search DATA WORD [--order ORDER] [--values 8|16be|16le]\n"
    "       orvane-tbl --help\n"
    "       orvane-tbl --version\n"
    "ENCODING is EUC-JP, Shift-JIS, UTF-8 or Windows-1252, in any letter case.\n"
    "ORDER is upper, lower, digits, hiragana, katakana, hiragana-jis or katakana-jis.\n"
    "FILE or IN \"-\" reads standard input, OUT \"-\" writes standard output.\n";

ToolResult Usage() { return ToolResult{kExitUsage, {}, kUsage}; }

// "NAME: reason" on standard error, with exit 1.
ToolResult Failure(const QByteArray& name, const QString& reason) {
  return ToolResult{kExitFailed, {}, PrintableName(name) + ": " + PrintableText(reason) + '\n'};
}

// "FILE:LINE: reason", or "FILE: reason" when the file itself could not be read.
ToolResult LoadFailure(const QByteArray& path, const model::LoadError& error) {
  if (error.line == 0) return Failure(path, error.reason);
  return Failure(path + ':' + QByteArray::number(error.line), error.reason);
}

QByteArray WarningText(const model::LoadWarning& warning) {
  const QByteArray code = warning.code.Hex();
  switch (warning.kind) {
    case model::LoadWarning::Kind::kReplaced:
    case model::LoadWarning::Kind::kDefinedAgain:
      return "code " + code + " is defined again on line " +
             QByteArray::number(warning.replaced_by);
    case model::LoadWarning::Kind::kNoText:
      return "code " + code + " has no text";
    case model::LoadWarning::Kind::kKeptAsExtraLine:
      return "kept as an extra line";
    case model::LoadWarning::Kind::kNulBytes:
      return "holds bytes that table files do not hold (NUL); it may not be a table";
  }
  return {};
}

// A table read from its file once, with the warnings every command that loads it prints.
struct LoadedTable {
  TableDocument document;
  QByteArray bytes;
  QList<model::LoadWarning> warnings;
  QByteArray err;  // the warnings as printed, "FILE:LINE: warning: ..."
};

// Fills `table` from the file; its load error, after the warnings, when there is one. `show`
// prints the table alone.
std::optional<ToolResult> Load(const QByteArray& path, LoadedTable& table, bool warn = true) {
  auto content = ReadInput(path);
  if (const auto* error = std::get_if<model::LoadError>(&content)) {
    return LoadFailure(path, *error);
  }
  table.bytes = std::get<QByteArray>(std::move(content));
  const auto error =
      model::LoadTableFromBytes(table.document, table.bytes, warn ? &table.warnings : nullptr);
  const QByteArray name = PrintableName(path);  // once: a table may draw millions of warnings
  for (const model::LoadWarning& warning : table.warnings) {
    table.err.append(name).append(':').append(QByteArray::number(warning.line));
    table.err.append(": warning: ").append(WarningText(warning)).append('\n');
  }
  if (!error) return std::nullopt;
  ToolResult failure = LoadFailure(path, *error);
  failure.err.prepend(table.err);
  return failure;
}

// The table as a save writes it, to OUT or standard output, after the load's warnings.
ToolResult Write(const QByteArray& out, const TableDocument& document, const QByteArray& err,
                 model::SaveLayout layout = model::SaveLayout::kCanonical) {
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

// The warnings on standard error, then the summary, or the load error with exit 1.
ToolResult Check(const QByteArray& path) {
  LoadedTable table;
  if (auto failure = Load(path, table)) return *std::move(failure);
  QByteArray out = PrintableName(path) + ": " + Summary(table.document) + '\n';
  return ToolResult{kExitOk, out, table.err};
}

// A broken input writes nothing, so OUT never receives a partial table.
ToolResult Normalize(const QByteArray& in, const QByteArray& out) {
  LoadedTable table;
  if (auto failure = Load(in, table)) return *std::move(failure);
  return Write(out, table.document, table.err);
}

// "IN:LINE: cannot be written in ENCODING: 'x'", or "cannot be read as ENCODING".
QByteArray RefusalLine(const QByteArray& where, const editing::Unconvertible& why,
                       text::Encoding from, text::Encoding to) {
  QByteArray line = PrintableName(where) + ": ";
  if (why.character.isEmpty()) {
    return line + "cannot be read as " + text::EncodingName(from).toUtf8() + '\n';
  }
  return line + "cannot be written in " + text::EncodingName(to).toUtf8() + ": '" +
         PrintableText(why.character) + "'\n";
}

// Each line of IN that holds a text the target cannot hold, or nothing. Lines a save drops (a
// code defined again later) are not converted, so not reported.
QByteArray Unconvertible(const QByteArray& in, const LoadedTable& table, text::Encoding to) {
  QSet<qsizetype> dropped;
  for (const model::LoadWarning& warning : table.warnings) {
    if (warning.kind == model::LoadWarning::Kind::kReplaced) dropped.insert(warning.line);
  }
  const std::optional<QByteArray> text = model::FileText(table.bytes);
  if (!text) return {};
  const text::Encoding from = table.document.Encoding();
  QByteArray report;
  qsizetype number = 0;
  for (const QByteArrayView line : model::FileLines(*text)) {
    ++number;
    if (dropped.contains(number)) continue;
    if (const auto why = editing::WhyNotConvertible(line, from, to)) {
      report.append(RefusalLine(in + ':' + QByteArray::number(number), *why, from, to));
    }
  }
  return report;
}

// A text that cannot be rewritten writes nothing: OUT is left as it was. With `layout` kept, the
// texts are rewritten in their places and every other byte of IN stays.
ToolResult Convert(const QByteArray& in, const QByteArray& out, text::Encoding target,
                   model::SaveLayout layout) {
  LoadedTable table;
  if (auto failure = Load(in, table)) return *std::move(failure);
  const text::Encoding from = table.document.Encoding();
  QByteArray report = Unconvertible(in, table, target);
  const QList<editing::ConversionFailure> failures = editing::ConvertTable(table.document, target);
  if (report.isEmpty()) {
    // A text no line of the file shows as it stands; named as the editor names it.
    for (const editing::ConversionFailure& failure : failures) {
      report.append(RefusalLine(in + ": " + failure.where.toUtf8(), failure.why, from, target));
    }
  }
  if (!report.isEmpty()) return ToolResult{kExitFailed, {}, table.err + report};
  return Write(out, table.document, table.err, layout);
}

// The lines a save would write, read in the table's encoding or the one given, in UTF-8.
ToolResult Show(const QByteArray& path, std::optional<text::Encoding> encoding) {
  LoadedTable table;
  if (auto failure = Load(path, table, false)) return *std::move(failure);
  const text::Encoding reading = encoding.value_or(table.document.Encoding());
  const QByteArray lines = model::TableToBytes(table.document);
  QByteArray out;
  for (const QByteArrayView line : model::FileLines(lines)) {
    out.append(PrintableText(text::DecodeLenient(line, reading))).append('\n');
  }
  return ToolResult{kExitOk, out, {}};
}

// An encoding named on the command line, or the names there are.
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

}  // namespace

QByteArray Summary(const TableDocument& document) {
  qsizetype codes = 0;
  qsizetype longer_codes = 0;
  qsizetype marks = 0;
  for (const model::Code& code : document.DefinedCodes()) {
    ++(code.IsSingleByte() ? codes : longer_codes);
    if (document.HasWrittenMark(code)) ++marks;
  }
  // The lines of longer codes are extra lines to the store, but not to the user.
  const qsizetype code_lines = document.GetExtraLines().Codes().LineCount();
  const QString form = text::FormName(document.Form());
  const QString name = form.isEmpty() ? text::EncodingName(document.Encoding()) : form;
  return QByteArray::number(codes) + " codes, " + QByteArray::number(longer_codes) +
         " longer codes, " + QByteArray::number(marks) + " special marks, " +
         QByteArray::number(document.BookmarkCount()) + " bookmarks, " +
         QByteArray::number(document.ExtraLineCount() - code_lines) + " extra lines, " +
         name.toUtf8();
}

ToolResult RunTblTool(const QList<QByteArray>& arguments) {
  const QByteArray command = arguments.value(0);
  const qsizetype count = arguments.size();
  if (command == "--help" && count == 1) return ToolResult{kExitOk, kUsage, {}};
  if (command == "--version" && count == 1) {
    return ToolResult{kExitOk, QByteArray("orvane-tbl ") + kFullVersion + '\n', {}};
  }
  if (command == "check" && count == 2) return Check(arguments[1]);
  if (command == "normalize" && count == 3) return Normalize(arguments[1], arguments[2]);
  if (command == "convert" && (count == 4 || (count == 5 && arguments[1] == "--keep-layout"))) {
    const QList<QByteArray> files = arguments.mid(count - 3);
    auto target = EncodingArgument(files[2]);
    if (auto* refusal = std::get_if<ToolResult>(&target)) return std::move(*refusal);
    const auto layout = count == 5 ? model::SaveLayout::kKeepFile : model::SaveLayout::kCanonical;
    return Convert(files[0], files[1], std::get<text::Encoding>(target), layout);
  }
  if (command == "show" && count == 2) return Show(arguments[1], std::nullopt);
  if (command == "show" && count == 4 && arguments[1] == "--encoding") {
    auto encoding = EncodingArgument(arguments[2]);
    if (auto* refusal = std::get_if<ToolResult>(&encoding)) return std::move(*refusal);
    return Show(arguments[3], std::get<text::Encoding>(encoding));
  }
  if (command == "search") return RunSearch(arguments.mid(1), kUsage);
  return Usage();
}

ToolResult RunTblTool(const QStringList& arguments) {
  QList<QByteArray> bytes;
  for (const QString& argument : arguments) bytes.append(argument.toUtf8());
  return RunTblTool(bytes);
}

}  // namespace orvane::tools
