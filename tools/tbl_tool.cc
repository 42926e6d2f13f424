#include "tbl_tool.h"

#include "convert_command.h"
#include "data_commands.h"
#include "loaded_table.h"
#include "model/table_document.h"
#include "model/table_file.h"
#include "orvane_version.h"
#include "search_command.h"
#include "text/codec.h"
#include "tool_text.h"

namespace orvane::tools {
namespace {

using model::TableDocument;

constexpr char kUsage[] =
    "usage: orvane-tbl check FILE\n"
    "       orvane-tbl normalize IN OUT\n"
    "       orvane-tbl convert [--from ENCODING] [--keep-layout] IN OUT ENCODING\n"
    "       orvane-tbl show [--encoding ENCODING | --from ENCODING] FILE\n"
    "       orvane-tbl search DATA WORD [--order ORDER] [--values 8|16be|16le]\n"
    "       orvane-tbl decode TABLE DATA [--from HEX] [--length N]\n"
    "       orvane-tbl encode TABLE TEXT\n"
    "       orvane-tbl --help\n"
    "       orvane-tbl --version\n"
    "ENCODING is EUC-JP, Shift-JIS, UTF-8 or Windows-1252, in any letter case.\n"
    "ORDER is upper, lower, digits, hiragana, katakana, hiragana-jis or katakana-jis.\n"
    "FILE or IN \"-\" reads standard input, OUT \"-\" writes standard output.\n";

ToolResult Usage() { return ToolResult{kExitUsage, {}, kUsage}; }

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

// The lines a save would write, read in the table's encoding or the one given, in UTF-8.
ToolResult Show(const QByteArray& path, std::optional<text::Encoding> encoding) {
  LoadedTable table;
  if (auto failure = Load(path, table, false)) return *std::move(failure);
  const text::Encoding reading = encoding.value_or(table.document.Encoding());
  QByteArray out;
  const auto show = [&](QByteArrayView line) {
    const qsizetype begin = out.size();
    text::AppendLenientUtf8(out, line, reading);
    // Rarely a control character to show as its picture: only then the line is made again.
    if (!IsPrintableUtf8(QByteArrayView(out).sliced(begin))) {
      const QString shown = QString::fromUtf8(QByteArrayView(out).sliced(begin));
      out.truncate(begin);
      out.append(PrintableText(shown));
    }
    out.append('\n');
  };
  const QByteArray lines = model::TableToBytes(table.document);
  for (const QByteArrayView line : model::FileLines(lines)) show(line);
  return ToolResult{kExitOk, out, {}};
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
  const QString form = text::FormName(document.Form());
  const QString name = form.isEmpty() ? text::EncodingName(document.Encoding()) : form;
  return QByteArray::number(codes) + " codes, " + QByteArray::number(longer_codes) +
         " longer codes, " + QByteArray::number(marks) + " special marks, " +
         QByteArray::number(document.BookmarkCount()) + " bookmarks, " +
         QByteArray::number(document.ExtraLineCount()) + " extra lines, " + name.toUtf8();
}

ToolResult RunTblTool(const QList<QByteArray>& arguments) {
  const QByteArray command = arguments.value(0);
  const qsizetype count = arguments.size();
  if (command == "--help" && count == 1) return ToolResult{kExitOk, kUsage, {}};
  if (command == "--version" && count == 1) {
    return ToolResult{kExitOk, QByteArray("orvane-tbl ") + kFullVersion + '\n', {}};
  }
  if (auto data = RunDataCommand(arguments)) {
    if (data->exit_code == kExitUsage) data->err.append(kUsage);
    return *std::move(data);
  }
  if (command == "check" && count == 2) return Check(arguments[1]);
  if (command == "normalize" && count == 3) return Normalize(arguments[1], arguments[2]);
  if (command == "convert") return RunConvert(arguments.mid(1), kUsage);
  if (command == "show" && count == 2) return Show(arguments[1], std::nullopt);
  if (command == "show" && count == 4 &&
      (arguments[1] == "--encoding" || arguments[1] == "--from")) {
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
