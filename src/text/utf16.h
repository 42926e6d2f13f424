#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace orvane::text {

enum class ByteOrder { kLittleEndian, kBigEndian };

// The UTF-8 form of UTF-16 text (without its byte-order mark), or nothing when it is not valid
// UTF-16: an odd byte at the end, or a surrogate without its partner.
[[nodiscard]] std::optional<QByteArray> Utf16ToUtf8(QByteArrayView utf16, ByteOrder order);

// The UTF-16 form of valid UTF-8 text, without a byte-order mark.
[[nodiscard]] QByteArray Utf8ToUtf16(QByteArrayView utf8, ByteOrder order);

}  // namespace orvane::text
