#pragma once

#include "model/code.h"

#include <QStringView>

#include <optional>

namespace orvane::data {

// How the data holds a value: a byte, or two bytes big- or little-endian.
enum class ValueSize : quint8 { k8, k16Be, k16Le };

// "8", "16be", "16le".
[[nodiscard]] std::optional<ValueSize> ValueSizeFromName(QStringView name);
[[nodiscard]] constexpr int ValueBytes(ValueSize size) { return size == ValueSize::k8 ? 1 : 2; }
[[nodiscard]] constexpr quint32 MaxValue(ValueSize size) {
  return size == ValueSize::k8 ? 0xFF : 0xFFFF;
}

// The values as the hot loops read them, each from the bytes at `p`, and where a value's low and
// high byte stand among its bytes.
struct ByteValue {
  static constexpr ValueSize kSize = ValueSize::k8;
  static constexpr int kLow = 0;
  static constexpr int kHigh = 0;
  static quint32 At(const quint8* p) { return p[0]; }
};
struct BigEndian16Value {
  static constexpr ValueSize kSize = ValueSize::k16Be;
  static constexpr int kLow = 1;
  static constexpr int kHigh = 0;
  static quint32 At(const quint8* p) { return static_cast<quint32>(p[kHigh] << 8 | p[kLow]); }
};
struct LittleEndian16Value {
  static constexpr ValueSize kSize = ValueSize::k16Le;
  static constexpr int kLow = 0;
  static constexpr int kHigh = 1;
  static quint32 At(const quint8* p) { return static_cast<quint32>(p[kHigh] << 8 | p[kLow]); }
};

// The one place a value's byte order is known: the value at `bytes`, which hold ValueBytes.
[[nodiscard]] quint32 ValueAt(const char* bytes, ValueSize size);
// The code whose bytes are the value as the data holds it: 16-bit big-endian 0120 is code
// 0120, little-endian 2001.
[[nodiscard]] model::Code CodeOfValue(quint32 value, ValueSize size);
// The value a code of ValueBytes holds.
[[nodiscard]] quint32 ValueOfCode(const model::Code& code, ValueSize size);

}  // namespace orvane::data
