#include "data/values.h"

#include <QByteArray>
#include <QLatin1String>

#include <array>

namespace orvane::data {

std::optional<ValueSize> ValueSizeFromName(QStringView name) {
  if (name == QLatin1String("8")) return ValueSize::k8;
  if (name.compare(QLatin1String("16be"), Qt::CaseInsensitive) == 0) return ValueSize::k16Be;
  if (name.compare(QLatin1String("16le"), Qt::CaseInsensitive) == 0) return ValueSize::k16Le;
  return std::nullopt;
}

quint32 ValueAt(const char* bytes, ValueSize size) {
  const auto* p = reinterpret_cast<const quint8*>(bytes);
  switch (size) {
    case ValueSize::k8:
      return ByteValue::At(p);
    case ValueSize::k16Be:
      return BigEndian16Value::At(p);
    case ValueSize::k16Le:
      return LittleEndian16Value::At(p);
  }
  return 0;
}

model::Code CodeOfValue(quint32 value, ValueSize size) {
  const auto high = static_cast<char>(value >> 8 & 0xFF);
  const auto low = static_cast<char>(value & 0xFF);
  switch (size) {
    case ValueSize::k8:
      return static_cast<quint8>(low);
    case ValueSize::k16Be:
      return *model::Code::FromBytes(std::array{high, low});
    case ValueSize::k16Le:
      return *model::Code::FromBytes(std::array{low, high});
  }
  return {};
}

quint32 ValueOfCode(const model::Code& code, ValueSize size) {
  return ValueAt(code.Bytes().constData(), size);
}

}  // namespace orvane::data
