#include "text/utf16.h"

#include <QString>
#include <QStringDecoder>

#include <cstring>

namespace orvane::text {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// A zero low byte is rare but real (U+4E00 一, U+3000): it may come this often.
constexpr qsizetype kLowZerosPerHighZero = 4;

}  // namespace

Utf16Text Utf16ToUtf8(QByteArrayView utf16, ByteOrder order) {
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
      if (i + 1 >= text.size() || !IsLowSurrogate(units[i + 1])) return {std::nullopt, 2 * i};
      ++i;
    } else if (IsLowSurrogate(units[i])) {
      return {std::nullopt, 2 * i};
    }
  }
  if (utf16.size() % 2 != 0) return {std::nullopt, utf16.size() - 1};
  return {text.toUtf8(), 0};
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

std::optional<ByteOrder> Utf16OrderWithoutMark(QByteArrayView bytes) {
  if (bytes.isEmpty() ||
      std::memchr(bytes.data(), 0, static_cast<size_t>(bytes.size())) == nullptr) {
    return std::nullopt;
  }
  const qsizetype units = bytes.size() / 2;
  qsizetype zeros[2] = {0, 0};  // at even and at odd offsets
  for (qsizetype i = 0; i < units; ++i) {
    const bool first = bytes[2 * i] == 0;
    const bool second = bytes[2 * i + 1] == 0;
    if (first && second) return std::nullopt;
    zeros[0] += first ? 1 : 0;
    zeros[1] += second ? 1 : 0;
  }
  for (const auto& [high, order] :
       {std::pair{1, ByteOrder::kLittleEndian}, std::pair{0, ByteOrder::kBigEndian}}) {
    if (2 * zeros[high] > units && kLowZerosPerHighZero * zeros[1 - high] < zeros[high]) {
      return order;
    }
  }
  return std::nullopt;
}

}  // namespace orvane::text
