#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace orvane::text {

enum class ByteOrder { kLittleEndian, kBigEndian };

// UTF-16 text (without its byte-order mark) in UTF-8, or where it stops being valid UTF-16.
struct Utf16Text {
  std::optional<QByteArray> utf8;
  qsizetype invalid_at = 0;  // without utf8: the offset of an odd last byte or a lone surrogate
};
[[nodiscard]] Utf16Text Utf16ToUtf8(QByteArrayView utf16, ByteOrder order);

// The UTF-16 form of valid UTF-8 text, without a byte-order mark.
[[nodiscard]] QByteArray Utf8ToUtf16(QByteArrayView utf8, ByteOrder order);

// The byte order of text that looks like UTF-16 without a byte-order mark: the high byte of more
// than half of its characters is zero, the low byte hardly ever, and no character is zero. Text
// of 8-bit tables holds no zero byte at all. Whether it is valid is Utf16ToUtf8's to say.
[[nodiscard]] std::optional<ByteOrder> Utf16OrderWithoutMark(QByteArrayView bytes);

}  // namespace orvane::text
