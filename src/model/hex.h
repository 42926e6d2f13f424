#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <variant>

namespace orvane::model {

enum class HexError { kNotHexDigit, kTooManyDigits };

namespace detail {
constexpr std::array<qint8, 256> HexDigitValues() {
  std::array<qint8, 256> values{};
  for (int c = 0; c < 256; ++c) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    values[static_cast<size_t>(c)] = static_cast<qint8>(value);
  }
  return values;
}
inline constexpr std::array<qint8, 256> kHexDigitValues = HexDigitValues();
}  // namespace detail

// The value of one hexadecimal digit in either case, or -1. A lookup: a load reads every digit.
[[nodiscard]] constexpr int HexDigitValue(char c) {
  return detail::kHexDigitValues[static_cast<quint8>(c)];
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
