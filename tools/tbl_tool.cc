#include "tbl_tool.h"

#include "data_commands.h"
#include "editing/table_conversion.h"
#include "model/hex.h"
#include "model/table_document.h"
#include "model/table_file.h"
#include "text/codec.h"

#include <QFile>
#include <QSet>

namespace orvane::tools {
namespace {

using model::TableDocument;

constexpr char kUsage[] =
    "usage: orvane-tbl check FILE\n"
    "       orvane-tbl normalize IN OUT\n"
    "       orvane-tbl convert IN OUT ENCODING\n"
    "       orvane-tbl show [--encoding ENCODING] FILE\n"
    "       orvane-tbl decode TABLE DATA [--from HEX] [--length N]\n"
    "       orvane-tbl encode TABLE TEXT\n"
    "       orvane-tbl --help\n"
    "ENCODING is EUC-JP, Shift-JIS, UTF-8 or Windows-1252, in any letter case.\n";

ToolResult Usage() { return ToolResult{kExitUsage, {}, kUsage}; }

QByteArray Native(const QString& text) { return text.toLocal8Bit(); }

ToolResult Failure(QByteArray message) { return ToolResult{kExitFailed, {}, message.append('\n')}; }

// "FILE:LINE: reason", or "FILE: reason" when the file itself could not be read.
ToolResult LoadFailure(const QString& path, const model::LoadError& error) {
  QByteArray message = Native(path);
  if (error.line > 0) message.append(':').append(QByteArray::number(error.line));
  return Failure(message.append(": ").append(Native(error.reason)));
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

// Each line of IN that holds a text the target cannot hold, as "IN:LINE: ...", or nothing.
// Lines a save drops (a code defined again later) are not converted, so not reported.
QByteArray Unconvertible(const QString& in, text::Encoding from, text::Encoding to,
                         const QList<model::LoadWarning>& warnings) {
  QSet<qsizetype> dropped;
  for (const model::LoadWarning& warning : warnings) {
    if (warning.kind == model::LoadWarning::Kind::kReplaced) dropped.insert(warning.line);
  }
  QFile file(in);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const std::optional<QByteArray> text = model::FileText(file.readAll());
  if (!text) return {};
  QByteArray report;
  qsizetype number = 0;
  for (const QByteArrayView line : model::FileLines(*text)) {
    ++number;
    if (dropped.contains(number)) continue;
    const auto why = editing::WhyNotConvertible(line, from, to);
    if (!why) continue;
    report.append(Native(in)).append(':').append(QByteArray::number(number)).append(": ");
    if (why->character.isEmpty()) {
      report.append("cannot be read as ").append(text::EncodingName(from).toUtf8());
    } else {
      report.append("cannot be written in ").append(text::EncodingName(to).toUtf8());
      report.append(": ").append(why->What(from, to).toUtf8());
    }
    report.append('\n');
  }
  return report;
}

// A text that cannot be rewritten writes nothing: OUT is left as it was.
ToolResult Convert(const QString& in, const QString& out, text::Encoding target) {
  TableDocument document;
  QList<model::LoadWarning> warnings;
  if (const auto error = model::LoadTable(document, in, &warnings)) {
    return LoadFailure(in, *error);
  }
  const text::Encoding from = document.Encoding();
  QByteArray report = Unconvertible(in, from, target, warnings);
  const QList<editing::ConversionFailure> failures = editing::ConvertTable(document, target);
  if (report.isEmpty()) {
    // A text no line of the file shows as it stands; name it as the editor would.
    for (const editing::ConversionFailure& failure : failures) {
      report.append(Native(in)).append(": ").append(failure.where.toUtf8()).append(": ");
      report.append(failure.why.What(from, target).toUtf8()).append('\n');
    }
  }
  if (!report.isEmpty()) return ToolResult{kExitFailed, {}, report};
  if (const auto error = model::SaveTable(document, out)) {
    return Failure(Native(out).append(": ").append(Native(error->reason)));
  }
  return ToolResult{};
}

// The lines a save would write, read in the table's encoding or the one given, in UTF-8.
ToolResult Show(const QString& path, std::optional<text::Encoding> encoding) {
  TableDocument document;
  if (const auto error = model::LoadTable(document, path)) return LoadFailure(path, *error);
  const text::Encoding reading = encoding.value_or(document.Encoding());
  const QByteArray lines = model::TableToBytes(document);
  QByteArray out;
  for (const QByteArrayView line : model::FileLines(lines)) {
    out.append(text::DecodeLenient(line, reading).toUtf8()).append('\n');
  }
  return ToolResult{kExitOk, out, {}};
}

}  // namespace

QByteArray Summary(const TableDocument& document) {
  qsizetype codes = 0;
  qsizetype longer_codes = 0;
  qsizetype marks = 0;
  for (const model::Code& code : document.DefinedCodes()) {
    ++(code.IsSingleByte() ? codes : longer_codes);
    const QByteArray text = document.GetCellText(code);
    if (document.IsSpecial(code) && (text == "/" || text == "*")) ++marks;
  }
  // The lines of longer codes are extra lines to the store, but not to the user.
  const qsizetype code_lines = document.GetExtraLines().Codes().size();
  const QString form = text::FormName(document.Form());
  const QString name = form.isEmpty() ? text::EncodingName(document.Encoding()) : form;
  return QByteArray::number(codes) + " codes, " + QByteArray::number(longer_codes) +
         " longer codes, " + QByteArray::number(marks) + " special marks, " +
         QByteArray::number(document.BookmarkCount()) + " bookmarks, " +
         QByteArray::number(document.ExtraLineCount() - code_lines) + " extra lines, " +
         name.toUtf8();
}

ToolResult RunTblTool(const QStringList& arguments) {
  const QString command = arguments.value(0);
  const qsizetype count = arguments.size();
  if (command == QLatin1String("--help") && count == 1) return ToolResult{kExitOk, kUsage, {}};
  if (auto data = RunDataCommand(arguments)) {
    if (data->exit_code == kExitUsage) data->err.append(kUsage);
    return *std::move(data);
  }
  if (command == QLatin1String("check") && count == 2) return Check(arguments[1]);
  if (command == QLatin1String("normalize") && count == 3) {
    return Normalize(arguments[1], arguments[2]);
  }
  if (command == QLatin1String("convert") && count == 4) {
    const auto target = text::EncodingFromName(arguments[3]);
    return target ? Convert(arguments[1], arguments[2], *target) : Usage();
  }
  if (command == QLatin1String("show") && count == 2) return Show(arguments[1], std::nullopt);
  if (command == QLatin1String("show") && count == 4 &&
      arguments[1] == QLatin1String("--encoding")) {
    const auto encoding = text::EncodingFromName(arguments[2]);
    return encoding ? Show(arguments[3], encoding) : Usage();
  }
  return Usage();
}

}  // namespace orvane::tools
