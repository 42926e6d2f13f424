#include "data_commands.h"

#include "data/data_file.h"
#include "data/string_reader.h"
#include "data/text_encoder.h"
#include "model/table_document.h"
#include "model/table_file.h"

#include <variant>

namespace orvane::tools {
namespace {

constexpr int kOffsetDigits = 8;

QByteArray Native(const QString& text) { return text.toLocal8Bit(); }

ToolResult Failure(const QByteArray& message) {
  return ToolResult{kExitFailed, {}, message + '\n'};
}

ToolResult UsageError(const QString& reason) {
  return ToolResult{kExitUsage, {}, "orvane-tbl: " + reason.toUtf8() + '\n'};
}

QByteArray OffsetText(qint64 offset) {
  return QByteArray::number(offset, 16).toUpper().rightJustified(kOffsetDigits, '0');
}

// The table, or the reason it does not load as "TABLE:LINE: reason".
std::optional<QByteArray> LoadInto(model::TableDocument& document, const QString& path) {
  const auto error = model::LoadTable(document, path);
  if (!error) return std::nullopt;
  QByteArray message = Native(path);
  if (error->line > 0) message.append(':').append(QByteArray::number(error->line));
  return message.append(": ").append(Native(error->reason));
}

struct DecodeRange {
  qint64 from = 0;
  qint64 length = -1;  // to the end
};

// "--from HEX" and "--length N", each at most once, or the usage error.
std::variant<DecodeRange, ToolResult> ParseRange(const QStringList& options) {
  DecodeRange range;
  bool from_given = false;
  bool length_given = false;
  for (qsizetype i = 0; i < options.size(); i += 2) {
    const QString& name = options[i];
    if (i + 1 >= options.size()) return UsageError(name + QStringLiteral(" needs a value"));
    const QString& value = options[i + 1];
    if (name == QLatin1String("--from") && !from_given) {
      const auto offset = data::ParseOffset(value);
      if (!offset)
        return UsageError(
            QStringLiteral("--from takes an offset in hexadecimal, not '%1'").arg(value));
      range.from = *offset;
      from_given = true;
    } else if (name == QLatin1String("--length") && !length_given) {
      bool ok = false;
      range.length = value.toLongLong(&ok, 10);
      if (!ok || range.length < 0) {
        return UsageError(QStringLiteral("--length takes a number of bytes, not '%1'").arg(value));
      }
      length_given = true;
    } else {
      return UsageError(QStringLiteral("unknown or repeated option '%1'").arg(name));
    }
  }
  return range;
}

// The strings from the offset, one a line, "0001F3A0: text" in UTF-8.
ToolResult Decode(const QString& table, const QString& data, const DecodeRange& range) {
  model::TableDocument document;
  if (const auto why = LoadInto(document, table)) return Failure(*why);
  data::DataFile file;
  if (const auto why = file.Open(data)) return Failure(Native(*why));
  if (range.from > file.Size()) {
    return Failure(Native(data) + ": offset " + OffsetText(range.from) +
                   " is past the end of the data (" + QByteArray::number(file.Size()) + " bytes)");
  }
  data::CodeLookup lookup;
  lookup.Build(document);
  ToolResult result;
  data::ReadFileStrings(lookup, file, range.from, range.length, data::LineBreaks::kMarker,
                        [&result](data::ReadString&& string) {
                          result.out.append(OffsetText(string.offset)).append(": ");
                          result.out.append(string.text.toUtf8()).append('\n');
                        });
  return result;
}

// The bytes in spaced hexadecimal, or why there are none.
ToolResult Encode(const QString& table, const QString& text) {
  model::TableDocument document;
  if (const auto why = LoadInto(document, table)) return Failure(*why);
  data::CodeLookup lookup;
  lookup.Build(document);
  const data::EncodeResult result =
      data::TextEncoder(lookup).Encode(data::NormalizeTypedText(text));
  const QByteArray message = result.Message().toUtf8();
  if (result.status != data::EncodeResult::Status::kOk) return Failure(message);
  ToolResult done{kExitOk, data::HexBytes(result.bytes).toLatin1() + '\n', {}};
  if (!message.isEmpty()) done.err = message + '\n';
  return done;
}

}  // namespace

std::optional<ToolResult> RunDataCommand(const QStringList& arguments) {
  const QString command = arguments.value(0);
  if (command == QLatin1String("encode")) {
    if (arguments.size() != 3) return UsageError(QStringLiteral("encode takes TABLE TEXT"));
    return Encode(arguments[1], arguments[2]);
  }
  if (command != QLatin1String("decode")) return std::nullopt;
  if (arguments.size() < 3 || arguments[1].startsWith(QLatin1String("--")) ||
      arguments[2].startsWith(QLatin1String("--"))) {
    return UsageError(QStringLiteral("decode takes TABLE DATA"));
  }
  auto range = ParseRange(arguments.mid(3));
  if (auto* usage = std::get_if<ToolResult>(&range)) return *usage;
  return Decode(arguments[1], arguments[2], std::get<DecodeRange>(range));
}

}  // namespace orvane::tools
