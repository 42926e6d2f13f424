#include "convert_command.h"

#include "editing/table_conversion.h"
#include "loaded_table.h"
#include "text/codec.h"
#include "tool_text.h"

#include <QSet>

#include <optional>

namespace orvane::tools {
namespace {

using model::TableDocument;

struct ConvertArguments {
  QByteArray in;
  QByteArray out;
  text::Encoding target = text::Encoding::kUtf8;
  std::optional<text::Encoding> from;
  model::SaveLayout layout = model::SaveLayout::kCanonical;
};

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

// Each character of a line that is written as its counterpart, as "IN:LINE: 'x' written as 'y'".
QByteArray Substitutions(const QByteArray& where, QByteArrayView line, text::Encoding from,
                         text::Encoding to) {
  QByteArray notes;
  QString seen;
  for (const QChar character : text::Decode(line, from).value_or(QString())) {
    const std::optional<QChar> counterpart = text::Counterpart(character, to);
    if (!counterpart || seen.contains(character)) continue;
    seen.append(character);
    notes.append(PrintableName(where)).append(": '").append(PrintableText(QString(character)));
    notes.append("' written as '").append(PrintableText(QString(*counterpart))).append("'\n");
  }
  return notes;
}

// Each line of IN that holds a text the target cannot hold, or nothing; the characters written
// as their counterparts go to `substitutions`. Lines the canonical form drops (a single byte's
// code defined again later) are not written, so not reported; the file's own layout keeps them.
QByteArray Unconvertible(const QByteArray& in, const LoadedTable& table, text::Encoding from,
                         text::Encoding to, model::SaveLayout layout, QByteArray& substitutions) {
  QSet<qsizetype> dropped;
  for (const model::LoadWarning& warning : table.warnings) {
    if (warning.kind == model::LoadWarning::Kind::kReplaced &&
        layout == model::SaveLayout::kCanonical) {
      dropped.insert(warning.line);
    }
  }
  const std::optional<QByteArray> text = model::FileText(table.bytes);
  if (!text) return {};
  QByteArray report;
  qsizetype number = 0;
  for (const QByteArrayView line : model::FileLines(*text)) {
    ++number;
    if (dropped.contains(number)) continue;
    const QByteArray where = in + ':' + QByteArray::number(number);
    if (const auto why = editing::WhyNotConvertible(line, from, to)) {
      report.append(RefusalLine(where, *why, from, to));
    } else if (from != to) {
      substitutions.append(Substitutions(where, line, from, to));
    }
  }
  return report;
}

// Where the written bytes read back as another encoding's other characters, which bytes alone
// cannot tell apart (see text::EncodingDetector), a warning that says how to read them.
QByteArray ReadBackWarning(const QByteArray& out, const TableDocument& converted) {
  const text::Encoding target = converted.Encoding();
  if (target == text::Encoding::kUtf8) return {};  // its lines are all valid UTF-8
  const QByteArray bytes = model::TableToBytes(converted);
  TableDocument reread;
  if (model::LoadTableFromBytes(reread, bytes)) return {};
  const text::Encoding read = reread.Encoding();
  if (read == target || text::DecodeLenient(bytes, read) == text::DecodeLenient(bytes, target)) {
    return {};
  }
  const QByteArray name = text::EncodingName(target).toUtf8();
  const QByteArray other = text::EncodingName(read).toUtf8();
  return PrintableName(out) + ": warning: these bytes cannot tell " + name + " from " + other +
         " and are read back as " + other + "; read them with --from " + name + "\n";
}

ToolResult Convert(const ConvertArguments& arguments) {
  LoadedTable table;
  if (auto failure = Load(arguments.in, table)) return *std::move(failure);
  TableDocument& document = table.document;
  if (arguments.from && text::IsUtf16(document.Form()) &&
      *arguments.from != text::Encoding::kUtf8) {
    ToolResult refusal = Failure(arguments.in, QStringLiteral("UTF-16 text is read as UTF-8 only"));
    refusal.err.prepend(table.err);
    return refusal;
  }
  if (arguments.from) document.SetEncoding(*arguments.from);
  const text::Encoding from = document.Encoding();
  const text::Encoding target = arguments.target;
  const QList<editing::ConversionFailure> failures =
      editing::ConvertTable(document, target, arguments.layout);
  // The file's lines, read again only where a line must be named: a refusal, a counterpart.
  QByteArray substitutions;
  QByteArray report;
  if (!failures.isEmpty() || target == text::Encoding::kEucJp ||
      target == text::Encoding::kShiftJis) {
    report = Unconvertible(arguments.in, table, from, target, arguments.layout, substitutions);
  }
  if (report.isEmpty()) {
    // A text no line of the file shows as it stands; named as the editor names it.
    for (const editing::ConversionFailure& failure : failures) {
      report.append(
          RefusalLine(arguments.in + ": " + failure.where.toUtf8(), failure.why, from, target));
    }
  }
  if (!report.isEmpty()) return ToolResult{kExitFailed, {}, table.err + report};
  ToolResult written = Write(arguments.out, document, table.err + substitutions, arguments.layout);
  if (written.exit_code == kExitOk) written.err.append(ReadBackWarning(arguments.out, document));
  return written;
}

}  // namespace

ToolResult RunConvert(const ParsedArguments& arguments, OutputSink& /*out*/) {
  const QList<QByteArray>& files = arguments.Positional();
  if (files.size() != 3) return UsageError();
  ConvertArguments parsed;
  if (arguments.Has("--keep-layout")) parsed.layout = model::SaveLayout::kKeepFile;
  if (const auto from_name = arguments.Value("--from")) {
    auto from = EncodingArgument(*from_name);
    if (auto* refusal = std::get_if<ToolResult>(&from)) return std::move(*refusal);
    parsed.from = std::get<text::Encoding>(from);
  }
  auto target = EncodingArgument(files[2]);
  if (auto* refusal = std::get_if<ToolResult>(&target)) return std::move(*refusal);
  parsed.in = files[0];
  parsed.out = files[1];
  parsed.target = std::get<text::Encoding>(target);
  return Convert(parsed);
}

}  // namespace orvane::tools
