#include "model/hex.h"

#include <QString>

namespace orvane::model {

QByteArray HexByte(quint8 value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  // Not QByteArray{high, low}: that picks the (size, fill) constructor.
  const char digits[] = {kDigits[value >> 4], kDigits[value & 0xF]};
  return QByteArray(digits, 2);
}

QByteArray HexAddress(qint32 address) {
  return QByteArray::number(static_cast<quint32>(address), 16).toUpper();
}

std::variant<qint32, HexError> ParseHexAddress(QByteArrayView digits) {
  if (digits.isEmpty()) return HexError::kNotHexDigit;
  quint32 value = 0;
  int significant = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return HexError::kNotHexDigit;
    if (significant > 0 || digit != 0) ++significant;
    value = (value << 4) | static_cast<quint32>(digit);
  }
  // Checked after the scan so a bad character anywhere is reported as such.
  if (significant > 8) return HexError::kTooManyDigits;
  return static_cast<qint32>(value);
}

QString HexErrorText(HexError error) {
  switch (error) {
    case HexError::kNotHexDigit:
      return QStringLiteral("not a hexadecimal digit");
    case HexError::kTooManyDigits:
      return QStringLiteral("more than 8 hexadecimal digits");
  }
  return {};
}

}  // namespace orvane::model
