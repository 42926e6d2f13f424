#include "data_commands.h"

#include "data/data_source.h"
#include "data/offset_text.h"
#include "data/string_reader.h"
#include "data/text_encoder.h"
#include "loaded_table.h"
#include "model/table_document.h"
#include "model/table_file.h"
#include "tool_text.h"

#include <QFile>
#include <QStringList>

#include <variant>

namespace orvane::tools {
namespace {

constexpr int kOffsetDigits = 8;

ToolResult UsageError(const QString& reason) {
  return ToolResult{kExitUsage, {}, "orvane-tbl: " + PrintableText(reason) + '\n'};
}

QByteArray OffsetText(qint64 offset) {
  return QByteArray::number(offset, 16).toUpper().rightJustified(kOffsetDigits, '0');
}

struct DecodeRange {
  qint64 from = 0;
  qint64 length = -1;  // to the end
};

// "--from HEX" and "--length N", each at most once, or the usage error.
std::variant<DecodeRange, ToolResult> ParseRange(const QList<QByteArray>& bytes) {
  QStringList options;
  for (const QByteArray& option : bytes) options.append(QString::fromUtf8(option));
  DecodeRange range;
  bool from_given = false;
  bool length_given = false;
  for (qsizetype i = 0; i < options.size(); i += 2) {
    const QString& name = options[i];
    if (i + 1 >= options.size()) return UsageError(name + QStringLiteral(" needs a value"));
    const QString& value = options[i + 1];
    if (name == QLatin1String("--from") && !from_given) {
      const data::TypedOffset offset = data::ParseOffset(value);
      if (offset.status == data::TypedOffset::Status::kTooLarge)
        return UsageError(QStringLiteral("--from '%1' is too large for an offset").arg(value));
      if (offset.status != data::TypedOffset::Status::kOffset)
        return UsageError(
            QStringLiteral("--from takes an offset in hexadecimal, not '%1'").arg(value));
      range.from = offset.offset;
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
ToolResult Decode(const QByteArray& table_path, const QByteArray& data, const DecodeRange& range) {
  LoadedTable table;
  if (auto failure = Load(table_path, table, false)) return *std::move(failure);
  const data::OpenedSource file = data::FileSource::Open(QFile::decodeName(data));
  if (!file.source) return ToolResult{kExitFailed, {}, PrintableText(file.error) + '\n'};
  if (range.from > file.source->Size()) {
    return Failure(data, QStringLiteral("offset %1 is past the end of the data (%2 bytes)")
                             .arg(QString::fromLatin1(OffsetText(range.from)))
                             .arg(file.source->Size()));
  }
  data::CodeLookup lookup;
  lookup.Build(table.document);
  ToolResult result;
  (void)data::ReadFileStrings(lookup, *file.source, range.from, range.length,
                              data::LineBreaks::kMarker, [&result](data::ReadString&& string) {
                                result.out.append(OffsetText(string.offset)).append(": ");
                                result.out.append(PrintableText(string.text)).append('\n');
                              });
  return result;
}

// The bytes in spaced hexadecimal, or why there are none.
ToolResult Encode(const QByteArray& table_path, const QString& text) {
  LoadedTable table;
  if (auto failure = Load(table_path, table, false)) return *std::move(failure);
  data::CodeLookup lookup;
  lookup.Build(table.document);
  const data::EncodeResult result =
      data::TextEncoder(lookup).Encode(data::NormalizeTypedText(text));
  const QByteArray message = PrintableText(result.Message());
  if (result.status != data::EncodeResult::Status::kOk) {
    return ToolResult{kExitFailed, {}, message + '\n'};
  }
  ToolResult done{kExitOk, data::HexBytes(result.bytes).toLatin1() + '\n', {}};
  if (!message.isEmpty()) done.err = message + '\n';
  return done;
}

}  // namespace

std::optional<ToolResult> RunDataCommand(const QList<QByteArray>& arguments) {
  const QByteArray command = arguments.value(0);
  if (command == "encode") {
    if (arguments.size() != 3) return UsageError(QStringLiteral("encode takes TABLE TEXT"));
    return Encode(arguments[1], QString::fromUtf8(arguments[2]));
  }
  if (command != "decode") return std::nullopt;
  if (arguments.size() < 3 || arguments[1].startsWith("--") || arguments[2].startsWith("--")) {
    return UsageError(QStringLiteral("decode takes TABLE DATA"));
  }
  auto range = ParseRange(arguments.mid(3));
  if (auto* usage = std::get_if<ToolResult>(&range)) return *usage;
  return Decode(arguments[1], arguments[2], std::get<DecodeRange>(range));
}

}  // namespace orvane::tools
