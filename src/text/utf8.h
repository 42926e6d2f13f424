#pragma once

#include <QByteArrayView>

namespace orvane::text {

// Where the first byte above 0x7F is, or the size when there is none.
[[nodiscard]] qsizetype FirstNonAscii(QByteArrayView bytes);
[[nodiscard]] inline bool IsAscii(QByteArrayView bytes) {
  return FirstNonAscii(bytes) == bytes.size();
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF, no cut sequence. Qt's
// stateless decoder forgets its errors before they can be read, so it cannot tell.
[[nodiscard]] bool IsValidUtf8(QByteArrayView bytes);

}  // namespace orvane::text
