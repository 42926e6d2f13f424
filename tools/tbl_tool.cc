#include "tbl_tool.h"

#include "convert_command.h"
#include "data_commands.h"
#include "font_command.h"
#include "lint_command.h"
#include "loaded_table.h"
#include "model/table_document.h"
#include "model/table_file.h"
#include "orvane_version.h"
#include "recognition/default_font.h"
#include "search_command.h"
#include "text/codec.h"
#include "tool_options.h"
#include "tool_text.h"

#include <array>
#include <span>

namespace orvane::tools {
namespace {

using model::TableDocument;

constexpr char kUsage[] =
    "usage: orvane-tbl check FILE\n"
    "       orvane-tbl lint FILE\n"
    "       orvane-tbl normalize IN OUT\n"
    "       orvane-tbl convert [--from ENCODING] [--keep-layout] IN OUT ENCODING\n"
    "       orvane-tbl show [--encoding ENCODING | --from ENCODING] FILE\n"
    "       orvane-tbl search DATA WORD [--order ORDER] [--values 8|16be|16le]\n"
    "       orvane-tbl decode TABLE DATA [--from HEX] [--length N]\n"
    "       orvane-tbl encode TABLE TEXT\n"
    "       orvane-tbl encode TABLE --file FILE\n"
    "       orvane-tbl font DATA --format FORMAT --size WxH --from HEX --count N --code HEX\n"
    "                  [--tiles rows|columns] [--stride N] [--font FAMILY] [--top K] [--order "
    "jis]\n"
    "       orvane-tbl --help\n"
    "       orvane-tbl --version\n"
    "ENCODING is EUC-JP, Shift-JIS, UTF-8 or Windows-1252, in any letter case.\n"
    "ORDER is upper, lower, digits, hiragana, katakana, hiragana-jis or katakana-jis.\n"
    "FORMAT is 1bpp, 1bpp-packed, 2bpp-nes, 2bpp-gb (the same as 2bpp-snes), 4bpp-snes, 4bpp-gba,\n"
    "4bpp-md or 8bpp; 1bpp is read in glyph rows unless --tiles is given. font prints "
    "CODE=character\n"
    "for each glyph with ink, read against the characters of FAMILY (default " ORVANE_DEFAULT_FAMILY
    "),\n"
    "with --top K a comment of the K best after each, with --order jis the JIS order fitted to "
    "them.\n"
    "FILE, IN or --file \"-\" reads standard input, OUT \"-\" writes standard output.\n"
    "Options come before or after the other arguments, each once; \"--\" ends them.\n";

constexpr std::array<OptionSyntax, 2> kShowOptions{{{"--encoding"}, {"--from"}}};

// The warnings on standard error, then the summary, or the load error with exit 1.
ToolResult Check(const ParsedArguments& arguments, OutputSink& /*out*/) {
  if (arguments.Positional().size() != 1) return UsageError();
  const QByteArray& path = arguments.Positional()[0];
  LoadedTable table;
  if (auto failure = Load(path, table)) return *std::move(failure);
  QByteArray out = PrintableName(path) + ": " + Summary(table.document) + '\n';
  return ToolResult{kExitOk, out, table.err};
}

// A broken input writes nothing, so OUT never receives a partial table.
ToolResult Normalize(const ParsedArguments& arguments, OutputSink& /*out*/) {
  if (arguments.Positional().size() != 2) return UsageError();
  LoadedTable table;
  if (auto failure = Load(arguments.Positional()[0], table)) return *std::move(failure);
  return Write(arguments.Positional()[1], table.document, table.err);
}

// The lines a save would write, read in the table's encoding or the one given, in UTF-8, to
// `out` a block at a time.
ToolResult Show(const ParsedArguments& arguments, OutputSink& out) {
  const std::optional<QByteArray> given = arguments.Value("--encoding");
  const std::optional<QByteArray> from = arguments.Value("--from");
  if (arguments.Positional().size() != 1) return UsageError();
  if (given && from) {
    return UsageError(QStringLiteral("--encoding and --from are the same: give one"));
  }
  std::optional<text::Encoding> encoding;
  if (given || from) {
    auto named = EncodingArgument(given ? *given : *from);
    if (auto* refusal = std::get_if<ToolResult>(&named)) return std::move(*refusal);
    encoding = std::get<text::Encoding>(named);
  }
  LoadedTable table;
  if (auto failure = Load(arguments.Positional()[0], table, false)) return *std::move(failure);
  const text::Encoding reading = encoding.value_or(table.document.Encoding());
  constexpr qsizetype kBlock = qsizetype{1} << 16;
  QByteArray block;
  bool taken = true;
  const auto show = [&](QByteArrayView line) {
    const qsizetype begin = block.size();
    text::AppendLenientUtf8(block, line, reading);
    // Rarely a control character to show as its picture: only then the line is made again.
    if (!IsPrintableUtf8(QByteArrayView(block).sliced(begin))) {
      const QString shown = QString::fromUtf8(QByteArrayView(block).sliced(begin));
      block.truncate(begin);
      block.append(PrintableText(shown));
    }
    block.append('\n');
    if (block.size() >= kBlock) {
      taken = taken && out.Write(block);
      block.resize(0);
    }
  };
  const QByteArray lines = model::TableToBytes(table.document);
  for (const QByteArrayView line : model::FileLines(lines)) {
    if (!taken) break;
    show(line);
  }
  taken = taken && out.Write(block);
  return ToolResult{taken ? kExitOk : kExitFailed, {}, {}};
}

struct Command {
  QByteArrayView name;
  std::span<const OptionSyntax> options;
  QByteArrayView prefix;  // of its usage errors
  ToolResult (*run)(const ParsedArguments& arguments, OutputSink& out);
};

constexpr QByteArrayView kPrefix = "orvane-tbl: ";
constexpr std::array<Command, 9> kCommands{{
    {"check", {}, kPrefix, Check},
    {"lint", {}, kPrefix, RunLint},
    {"normalize", {}, kPrefix, Normalize},
    {"convert", kConvertOptions, kPrefix, RunConvert},
    {"show", kShowOptions, kPrefix, Show},
    {"search", kSearchOptions, kSearchPrefix, RunSearch},
    {"decode", kDecodeOptions, kPrefix, RunDecode},
    {"encode", kEncodeOptions, kPrefix, RunEncode},
    {"font", kFontOptions, kPrefix, RunFont},
}};

}  // namespace

QByteArray Summary(const TableDocument& document) {
  qsizetype codes = 0;
  qsizetype longer_codes = 0;
  qsizetype marks = 0;
  qsizetype controls = 0;
  document.Codes().ForEach([&](const model::Code& code, const model::CodeView& view) {
    if (view.control) {
      ++controls;
      return;
    }
    ++(code.IsSingleByte() ? codes : longer_codes);
    if (view.special && (view.text == "/" || view.text == "*")) ++marks;
  });
  const QString form = text::FormName(document.Form());
  const QString name = form.isEmpty() ? text::EncodingName(document.Encoding()) : form;
  // A table without control codes is summed up as it always was.
  const QByteArray control_codes =
      controls > 0 ? QByteArray::number(controls) + " control codes, " : QByteArray();
  return QByteArray::number(codes) + " codes, " + QByteArray::number(longer_codes) +
         " longer codes, " + QByteArray::number(marks) + " special marks, " + control_codes +
         QByteArray::number(document.BookmarkCount()) + " bookmarks, " +
         QByteArray::number(document.ExtraLineCount()) + " extra lines, " + name.toUtf8();
}

ToolResult UsageError(const QString& reason, QByteArrayView prefix) {
  QByteArray err;
  if (!reason.isEmpty()) err = prefix.toByteArray() + PrintableText(reason) + '\n';
  return ToolResult{kExitUsage, {}, err + kUsage};
}

ToolResult RunTblTool(const QList<QByteArray>& arguments, OutputSink& out) {
  const QByteArray command = arguments.value(0);
  ToolResult result = UsageError();
  if (command == "--help" && arguments.size() == 1) {
    result = ToolResult{kExitOk, kUsage, {}};
  } else if (command == "--version" && arguments.size() == 1) {
    result = ToolResult{kExitOk, QByteArray("orvane-tbl ") + kFullVersion + '\n', {}};
  }
  for (const Command& known : kCommands) {
    if (known.name != command) continue;
    const auto parsed = ParseArguments(arguments.mid(1), known.options);
    if (const auto* reason = std::get_if<QString>(&parsed)) {
      result = UsageError(*reason, known.prefix);
    } else {
      result = known.run(std::get<ParsedArguments>(parsed), out);
    }
    break;
  }
  const bool written = (result.out.isEmpty() || out.Write(result.out)) && out.Flush();
  result.out.clear();
  if (!written) result.exit_code = kExitFailed;
  return result;
}

ToolResult RunTblTool(const QList<QByteArray>& arguments) {
  CapturedOutput out;
  ToolResult result = RunTblTool(arguments, out);
  result.out = out.Take();
  return result;
}

ToolResult RunTblTool(const QStringList& arguments) {
  QList<QByteArray> bytes;
  for (const QString& argument : arguments) bytes.append(argument.toUtf8());
  return RunTblTool(bytes);
}

}  // namespace orvane::tools
