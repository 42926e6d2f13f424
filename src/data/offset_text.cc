#include "data/offset_text.h"

#include "model/hex.h"

namespace orvane::data {
namespace {

constexpr int kOffsetDigits = 8;
// The most digits an offset has: 7FFFFFFFFFFFFFFF.
constexpr qsizetype kMostDigits = 16;

// The digits between a prefix or suffix that says they are hexadecimal.
QStringView Digits(QStringView typed) {
  if (typed.startsWith(u"0x", Qt::CaseInsensitive)) return typed.sliced(2);
  if (typed.startsWith(u'$')) return typed.sliced(1);
  if (typed.endsWith(u'h', Qt::CaseInsensitive)) return typed.chopped(1);
  return typed;
}

}  // namespace

QString OffsetText(qint64 offset) {
  return QStringLiteral("%1").arg(offset, kOffsetDigits, 16, QChar(u'0')).toUpper();
}

TypedOffset ParseOffset(QStringView typed) {
  TypedOffset parsed;
  typed = typed.trimmed();
  if (typed.isEmpty()) return parsed;
  const QStringView digits = Digits(typed);
  parsed.status = TypedOffset::Status::kNotAnOffset;
  quint64 value = 0;
  qsizetype significant = 0;
  for (const QChar digit : digits) {
    const char16_t unit = digit.unicode();
    const int d = unit < 0x80 ? model::HexDigitValue(static_cast<char>(unit)) : -1;
    if (d < 0) return parsed;
    if (significant > 0 || d > 0) ++significant;
    if (significant <= kMostDigits) value = value << 4 | static_cast<quint64>(d);
  }
  if (digits.isEmpty()) return parsed;
  parsed.digits = digits.toString().toUpper();
  const bool fits = significant < kMostDigits || (significant == kMostDigits && value >> 63 == 0);
  if (!fits) {
    parsed.status = TypedOffset::Status::kTooLarge;
    return parsed;
  }
  parsed.status = TypedOffset::Status::kOffset;
  parsed.offset = static_cast<qint64>(value);
  return parsed;
}

}  // namespace orvane::data
