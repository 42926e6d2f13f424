#include "data/offset_text.h"

#include "model/hex.h"

namespace orvane::data {
namespace {

constexpr int kOffsetDigits = 8;
constexpr qsizetype kMostDigits = 15;

}  // namespace

QString OffsetText(qint64 offset) {
  return QStringLiteral("%1").arg(offset, kOffsetDigits, 16, QChar(u'0')).toUpper();
}

TypedOffset ParseOffset(QStringView typed) {
  TypedOffset parsed;
  typed = typed.trimmed();
  if (typed.isEmpty()) return parsed;
  parsed.status = TypedOffset::Status::kNotAnOffset;
  if (typed.size() > kMostDigits) return parsed;
  qint64 value = 0;
  for (const QChar digit : typed) {
    const char16_t unit = digit.unicode();
    const int d = unit < 0x80 ? model::HexDigitValue(static_cast<char>(unit)) : -1;
    if (d < 0) return parsed;
    value = value << 4 | d;
  }
  parsed.status = TypedOffset::Status::kOffset;
  parsed.offset = value;
  return parsed;
}

}  // namespace orvane::data
