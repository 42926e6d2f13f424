#include "tbl_tool.h"

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
    "       orvane-tbl convert [--from ENCODING] IN OUT ENCODING\n"
    "       orvane-tbl show [--encoding ENCODING | --from ENCODING] FILE\n"
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
  const QByteArray code = model::HexByte(warning.code);
  switch (warning.kind) {
    case model::LoadWarning::Kind::kReplaced:
      return "code " + code + " is defined again on line " +
             QByteArray::number(warning.replaced_by);
    case model::LoadWarning::Kind::kNoText:
      return "code " + code + " has no text";
    case model::LoadWarning::Kind::kKeptAsExtraLine:
      return "kept as an extra line";
    case model::LoadWarning::Kind::kNotValid:
      return "not valid " + text::EncodingName(warning.encoding).toUtf8();
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

// Each character of a line that is written as its counterpart, as "IN:LINE: 'x' written as 'y'".
QByteArray Substitutions(const QByteArray& where, QByteArrayView line, text::Encoding from,
                         text::Encoding to) {
  QByteArray notes;
  QString seen;
  for (const QChar character : text::Decode(line, from).value_or(QString())) {
    const std::optional<QChar> counterpart = text::Counterpart(character, to);
    if (!counterpart || seen.contains(character)) continue;
    seen.append(character);
    notes.append(where).append(": '").append(QString(character).toUtf8()).append("' written as '");
    notes.append(QString(*counterpart).toUtf8()).append("'\n");
  }
  return notes;
}

// Each line of IN that holds a text the target cannot hold, as "IN:LINE: ...", or nothing; the
// characters written as their counterparts go to `substitutions`. Lines a save drops (a code
// defined again later) are not converted, so not reported.
QByteArray Unconvertible(const QString& in, text::Encoding from, text::Encoding to,
                         const QList<model::LoadWarning>& warnings, QByteArray& substitutions) {
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
    if (!why) {
      if (from != to) {
        substitutions.append(Substitutions(
            Native(in).append(':').append(QByteArray::number(number)), line, from, to));
      }
      continue;
    }
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

// Where the written bytes read back as another encoding's other characters, which bytes alone
// cannot tell apart (see DetectEncoding), a warning that says how to read them.
QByteArray ReadBackWarning(const QString& out, const TableDocument& converted) {
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
  return Native(out) + ": warning: these bytes cannot tell " + name + " from " +
         text::EncodingName(read).toUtf8() + " and are read back as " +
         text::EncodingName(read).toUtf8() + "; read them with --from " + name + "\n";
}

// A text that cannot be rewritten writes nothing: OUT is left as it was. `given` overrides the
// detected encoding of IN.
ToolResult Convert(const QString& in, const QString& out, text::Encoding target,
                   std::optional<text::Encoding> given) {
  TableDocument document;
  QList<model::LoadWarning> warnings;
  if (const auto error = model::LoadTable(document, in, &warnings)) {
    return LoadFailure(in, *error);
  }
  if (given && text::IsUtf16(document.Form()) && *given != text::Encoding::kUtf8) {
    return Failure(Native(in).append(": UTF-16 text is read as UTF-8 only"));
  }
  if (given) document.SetEncoding(*given);
  const text::Encoding from = document.Encoding();
  const QList<editing::ConversionFailure> failures = editing::ConvertTable(document, target);
  // The file's lines, read again only where a line must be named: a refusal, a counterpart.
  QByteArray substitutions;
  QByteArray report;
  if (!failures.isEmpty() || target == text::Encoding::kEucJp ||
      target == text::Encoding::kShiftJis) {
    report = Unconvertible(in, from, target, warnings, substitutions);
  }
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
  return ToolResult{kExitOk, {}, substitutions + ReadBackWarning(out, document)};
}

// The lines a save would write, read in the table's encoding or the one given, in UTF-8. The
// extra lines, first, straight from the table: there can be millions.
ToolResult Show(const QString& path, std::optional<text::Encoding> encoding) {
  TableDocument document;
  if (const auto error = model::LoadTable(document, path)) return LoadFailure(path, *error);
  const text::Encoding reading = encoding.value_or(document.Encoding());
  QByteArray out;
  const auto show = [&](QByteArrayView line) {
    text::AppendLenientUtf8(out, line, reading);
    out.append('\n');
  };
  const model::ExtraLines& extra_lines = document.GetExtraLines();
  for (qsizetype i = 0; i < extra_lines.size(); ++i) {
    if (!extra_lines.at(i).isEmpty()) show(extra_lines.at(i));
  }
  const QByteArray rest = model::CodeAndBookmarkLines(document);
  for (const QByteArrayView line : model::FileLines(rest)) show(line);
  return ToolResult{kExitOk, out, {}};
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
  const qsizetype count = arguments.size();
  if (command == QLatin1String("--help") && count == 1) return ToolResult{kExitOk, kUsage, {}};
  if (command == QLatin1String("check") && count == 2) return Check(arguments[1]);
  if (command == QLatin1String("normalize") && count == 3) {
    return Normalize(arguments[1], arguments[2]);
  }
  if (command == QLatin1String("convert") && count == 4) {
    const auto target = text::EncodingFromName(arguments[3]);
    return target ? Convert(arguments[1], arguments[2], *target, std::nullopt) : Usage();
  }
  if (command == QLatin1String("convert") && count == 6 &&
      arguments[1] == QLatin1String("--from")) {
    const auto from = text::EncodingFromName(arguments[2]);
    const auto target = text::EncodingFromName(arguments[5]);
    return from && target ? Convert(arguments[3], arguments[4], *target, from) : Usage();
  }
  if (command == QLatin1String("show") && count == 2) return Show(arguments[1], std::nullopt);
  if (command == QLatin1String("show") && count == 4 &&
      (arguments[1] == QLatin1String("--encoding") || arguments[1] == QLatin1String("--from"))) {
    const auto encoding = text::EncodingFromName(arguments[2]);
    return encoding ? Show(arguments[3], encoding) : Usage();
  }
  return Usage();
}

}  // namespace orvane::tools
