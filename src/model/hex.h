#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <variant>

namespace orvane::model {

enum class HexError { kNotHexDigit, kTooManyDigits };

// The value of one hexadecimal digit in either case, or -1.
[[nodiscard]] constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Two upper-case digits, high digit first.
[[nodiscard]] QByteArray HexByte(quint8 value);

// Upper case without leading zeros; a negative address gives its eight-digit two's complement.
[[nodiscard]] QByteArray HexAddress(qint32 address);

// Bare digits, either case, read as a 32-bit two's complement pattern of at most eight
// significant digits. Empty text is not a number.
[[nodiscard]] std::variant<qint32, HexError> ParseHexAddress(QByteArrayView digits);

[[nodiscard]] QString HexErrorText(HexError error);

}  // namespace orvane::model
