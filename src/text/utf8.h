#pragma once

#include <QByteArrayView>

namespace orvane::text {

[[nodiscard]] bool IsAscii(QByteArrayView bytes);

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF, no cut sequence. Qt's
// stateless decoder forgets its errors before they can be read, so it cannot tell.
[[nodiscard]] bool IsValidUtf8(QByteArrayView bytes);

}  // namespace orvane::text
