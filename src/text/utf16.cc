#include "text/utf16.h"

#include <QString>
#include <QStringDecoder>

namespace orvane::text {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::optional<QByteArray> Utf16ToUtf8(QByteArrayView utf16, ByteOrder order) {
  if (utf16.size() % 2 != 0) return std::nullopt;
  QString text(utf16.size() / 2, Qt::Uninitialized);
  char16_t* units = reinterpret_cast<char16_t*>(text.data());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const auto first = static_cast<quint8>(utf16[2 * i]);
    const auto second = static_cast<quint8>(utf16[2 * i + 1]);
    units[i] = order == ByteOrder::kLittleEndian ? char16_t(first | second << 8)
                                                 : char16_t(first << 8 | second);
  }
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(units[i])) {
      if (i + 1 >= text.size() || !IsLowSurrogate(units[i + 1])) return std::nullopt;
      ++i;
    } else if (IsLowSurrogate(units[i])) {
      return std::nullopt;
    }
  }
  return text.toUtf8();
}

QByteArray Utf8ToUtf16(QByteArrayView utf8, ByteOrder order) {
  // Not QString::fromUtf8: it drops a U+FEFF at the start, which is then text of the first line.
  QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
  const QString text = decoder.decode(utf8);
  QByteArray out(text.size() * 2, Qt::Uninitialized);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t unit = text.at(i).unicode();
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    out[2 * i] = order == ByteOrder::kLittleEndian ? low : high;
    out[2 * i + 1] = order == ByteOrder::kLittleEndian ? high : low;
  }
  return out;
}

}  // namespace orvane::text
