#include "data_commands.h"

#include "data/offset_text.h"
#include "data/string_reader.h"
#include "data/text_encoder.h"
#include "data_input.h"
#include "loaded_table.h"
#include "tool_files.h"
#include "tool_text.h"

#include <variant>

namespace orvane::tools {
namespace {

// A text of kMaxEncodedText characters takes at most three bytes for each in UTF-8.
constexpr qint64 kMaxTextBytes = 3 * data::kMaxEncodedText;

struct DecodeRange {
  qint64 from = 0;
  qint64 length = -1;  // to the end
};

std::variant<DecodeRange, ToolResult> RangeOf(const ParsedArguments& arguments) {
  DecodeRange range;
  if (const auto from = arguments.Value("--from")) {
    const QString value = QString::fromUtf8(*from);
    const data::TypedOffset offset = data::ParseOffset(value);
    if (offset.status == data::TypedOffset::Status::kTooLarge) {
      return UsageError(QStringLiteral("--from '%1' is too large for an offset").arg(value));
    }
    if (offset.status != data::TypedOffset::Status::kOffset) {
      return UsageError(
          QStringLiteral("--from takes an offset in hexadecimal, not '%1'").arg(value));
    }
    range.from = offset.offset;
  }
  if (const auto length = arguments.Value("--length")) {
    const QString value = QString::fromUtf8(*length);
    bool ok = false;
    range.length = value.toLongLong(&ok, 10);
    if (!ok || range.length < 0) {
      return UsageError(QStringLiteral("--length takes a number of bytes, not '%1'").arg(value));
    }
  }
  return range;
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

// TEXT as a file holds it: an editor's byte-order mark and last line end are not part of it.
QByteArray TextOfFile(QByteArray bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
  if (bytes.endsWith("\r\n")) {
    bytes.chop(2);
  } else if (bytes.endsWith('\n')) {
    bytes.chop(1);
  }
  return bytes;
}

}  // namespace

ToolResult RunDecode(const ParsedArguments& arguments, OutputSink& out) {
  const QList<QByteArray>& files = arguments.Positional();
  if (files.size() != 2) return UsageError(QStringLiteral("decode takes TABLE DATA"));
  auto range = RangeOf(arguments);
  if (auto* usage = std::get_if<ToolResult>(&range)) return std::move(*usage);
  const auto [from, length] = std::get<DecodeRange>(range);
  const QByteArray& data = files[1];
  if (data == kStandardStream) return StandardInputAsData("decode");
  LoadedTable table;
  if (auto failure = Load(files[0], table, false)) return *std::move(failure);
  auto source = OpenData(data);
  if (const auto* error = std::get_if<ReadError>(&source)) return Unreadable(data, *error);
  data::DataSource& opened = *std::get<std::unique_ptr<data::DataSource>>(source);
  if (from > opened.Size()) {
    return Failure(data, QStringLiteral("offset %1 is past the end of the data (%2)")
                             .arg(QString::fromLatin1(OffsetText(from)), ByteCount(opened.Size())));
  }
  data::CodeLookup lookup;
  lookup.Build(table.document);
  const StreamEnd end = StreamStrings(lookup, opened, from, length, out);
  if (!end.error.isEmpty()) return Failure(data, end.error);
  // Where the reading ends: the last line shows the arguments it lacks as "<$…>".
  const QByteArray cut =
      end.cut ? PrintableName(data) + ": warning: the data ends inside a control code\n"
              : QByteArray();
  return ToolResult{end.output_closed ? kExitFailed : kExitOk, {}, cut};
}

ToolResult RunEncode(const ParsedArguments& arguments, OutputSink& /*out*/) {
  const QList<QByteArray>& given = arguments.Positional();
  const std::optional<QByteArray> file = arguments.Value("--file");
  if (file && given.size() == 2) {
    return UsageError(QStringLiteral("encode takes a TEXT or --file FILE, not both"));
  }
  if (given.size() != (file ? 1 : 2)) return UsageError(QStringLiteral("encode takes TABLE TEXT"));
  QByteArray text;
  if (file) {
    auto content = ReadInput(*file, kMaxTextBytes);
    if (const auto* error = std::get_if<ReadError>(&content)) return Unreadable(*file, *error);
    text = TextOfFile(std::get<QByteArray>(std::move(content)));
  } else {
    text = given[1];
  }
  if (const auto why = WhyNotUtf8("TEXT", text)) {
    return ToolResult{kExitUsage, {}, "orvane-tbl: " + PrintableText(*why) + '\n'};
  }
  if (text.isEmpty()) return ToolResult{kExitUsage, {}, "orvane-tbl: The text is empty.\n"};
  return Encode(given[0], QString::fromUtf8(text));
}

}  // namespace orvane::tools
