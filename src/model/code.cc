#include "model/code.h"

#include "model/hex.h"

namespace orvane::model {
namespace {

// The value of hexadecimal digits in either case, or nothing when one is not a digit.
std::optional<quint32> HexValue(QByteArrayView digits) {
  quint32 value = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<quint32>(digit);
  }
  return value;
}

QByteArray HexOf(quint32 value, int bytes) {
  QByteArray out;
  for (int i = bytes - 1; i >= 0; --i) out.append(HexByte(static_cast<quint8>(value >> (8 * i))));
  return out;
}

}  // namespace

std::optional<Page> Page::FromHex(QByteArrayView digits) {
  if (digits.size() % 2 != 0) return std::nullopt;
  const auto value = HexValue(digits);
  if (!value) return std::nullopt;
  return Make(*value, static_cast<int>(digits.size() / 2));
}

QByteArray Page::Hex() const { return HexOf(prefix_, length_); }

std::optional<Page> Page::Parent() const {
  if (length_ == 0) return std::nullopt;
  return Make(prefix_ >> 8, length_ - 1);
}

std::optional<Code> Code::FromBytes(QByteArrayView bytes) {
  quint32 value = 0;
  for (char byte : bytes) value = value << 8 | static_cast<quint8>(byte);
  return bytes.size() > kMaxCodeLength ? std::nullopt : Make(value, static_cast<int>(bytes.size()));
}

std::optional<Code> Code::FromHex(QByteArrayView digits) {
  if (digits.size() % 2 != 0 || digits.size() > qsizetype{2} * kMaxCodeLength) return std::nullopt;
  const auto value = HexValue(digits);
  if (!value) return std::nullopt;
  return Make(*value, static_cast<int>(digits.size() / 2));
}

QByteArray Code::Bytes() const {
  QByteArray out;
  for (int i = length_ - 1; i >= 0; --i) out.append(static_cast<char>(value_ >> (8 * i)));
  return out;
}

QByteArray Code::Hex() const { return HexOf(value_, length_); }

}  // namespace orvane::model
