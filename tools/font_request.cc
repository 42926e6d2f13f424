#include "font_request.h"

#include "data/offset_text.h"
#include "recognition/default_font.h"
#include "tool_text.h"

#include <QRegularExpression>

namespace orvane::tools {
namespace {

using namespace Qt::Literals::StringLiterals;

using Refusal = std::optional<ToolResult>;

// Far more than any glyph takes (1,024 bytes at most), for glyphs kept with data between them.
constexpr qint64 kMaxStride = qint64{1} << 20;

Refusal Wrong(QByteArrayView option, const QString& takes, const QByteArray& value) {
  return UsageError(u"%1 takes %2, not '%3'"_s.arg(QString::fromLatin1(option), takes,
                                                   QString::fromUtf8(PrintableName(value))));
}

// A decimal number from `least` to `most`.
Refusal Decimal(const ParsedArguments& arguments, QByteArrayView option, const QString& takes,
                qint64 least, qint64 most, qint64& into) {
  const auto value = arguments.Value(option);
  if (!value) return std::nullopt;
  bool ok = false;
  const qint64 number = value->toLongLong(&ok, 10);
  if (!ok || number < least || number > most) return Wrong(option, takes, *value);
  into = number;
  return std::nullopt;
}

Refusal ReadFormat(const ParsedArguments& arguments, glyphs::GlyphFormat& format) {
  const QByteArray name = *arguments.Value("--format");
  const auto pixels = glyphs::PixelFormatFromName(QString::fromUtf8(name));
  if (!pixels) {
    return Wrong("--format",
                 u"1bpp, 1bpp-packed, 2bpp-nes, 2bpp-gb, 2bpp-snes, 4bpp-snes, 4bpp-gba, "
                 u"4bpp-md or 8bpp"_s,
                 name);
  }
  format.pixels = *pixels;
  format.layout = glyphs::DefaultLayout(*pixels);
  static const QRegularExpression kSize(u"^([0-9]{1,3})[xX×]([0-9]{1,3})$"_s);
  const QByteArray size = *arguments.Value("--size");
  const QRegularExpressionMatch match = kSize.match(QString::fromUtf8(size));
  if (!match.hasMatch()) return Wrong("--size", u"a width and a height such as 16x16"_s, size);
  format.width = match.captured(1).toInt();
  format.height = match.captured(2).toInt();
  if (const auto tiles = arguments.Value("--tiles")) {
    if (*tiles != "rows" && *tiles != "columns")
      return Wrong("--tiles", u"rows or columns"_s, *tiles);
    format.layout = *tiles == "rows" ? glyphs::Layout::kTileRows : glyphs::Layout::kTileColumns;
  }
  qint64 stride = 0;
  if (auto refusal =
          Decimal(arguments, "--stride", u"a number of bytes"_s, 1, kMaxStride, stride)) {
    return refusal;
  }
  format.stride = static_cast<int>(stride);
  if (const auto why = glyphs::CheckFormat(format)) return UsageError(*why);
  return std::nullopt;
}

Refusal ReadPlace(const ParsedArguments& arguments, FontRequest& request) {
  const QByteArray from = *arguments.Value("--from");
  const data::TypedOffset offset = data::ParseOffset(QString::fromUtf8(from));
  if (offset.status != data::TypedOffset::Status::kOffset) {
    return Wrong("--from", u"an offset in hexadecimal"_s, from);
  }
  request.font.offset = offset.offset;
  const QByteArray code = *arguments.Value("--code");
  // The code as offsets are typed, so that 0x8800 and 8800h are 8800 too.
  const data::TypedOffset typed = data::ParseOffset(QString::fromUtf8(code));
  const auto first = typed.status == data::TypedOffset::Status::kOffset
                         ? model::Code::FromHex(typed.digits.toLatin1())
                         : std::nullopt;
  if (!first)
    return Wrong("--code", u"a code of 1 to 4 bytes in hexadecimal, such as 8800"_s, code);
  request.font.first_code = *first;
  return Decimal(arguments, "--count", u"a number of glyphs"_s, 1,
                 std::numeric_limits<qint64>::max(), request.count);
}

Refusal ReadReading(const ParsedArguments& arguments, FontRequest& request) {
  request.family =
      QString::fromUtf8(arguments.Value("--font").value_or(recognition::kDefaultFamily));
  qint64 top = 0;
  if (auto refusal =
          Decimal(arguments, "--top", u"a number from 1 to %1"_s.arg(kMaxTop), 1, kMaxTop, top)) {
    return refusal;
  }
  request.top = static_cast<int>(top);
  if (const auto order = arguments.Value("--order")) {
    if (*order != "jis") return Wrong("--order", u"jis"_s, *order);
    request.fit_jis = true;
  }
  return std::nullopt;
}

}  // namespace

std::variant<FontRequest, ToolResult> ReadFontRequest(const ParsedArguments& arguments) {
  if (arguments.Positional().size() != 1) return UsageError(u"font takes DATA"_s);
  for (const QByteArrayView needed : {"--format", "--size", "--from", "--count", "--code"}) {
    if (!arguments.Has(needed))
      return UsageError(u"font needs %1"_s.arg(QString::fromLatin1(needed)));
  }
  FontRequest request;
  request.data = arguments.Positional().front();
  for (const Refusal& refusal : {ReadFormat(arguments, request.font.format),
                                 ReadPlace(arguments, request), ReadReading(arguments, request)}) {
    if (refusal) return *refusal;
  }
  return request;
}

}  // namespace orvane::tools
