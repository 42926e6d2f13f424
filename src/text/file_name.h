#pragma once

#include <QByteArrayView>
#include <QString>

namespace orvane::text {

// A file name's bytes as a person can read them: its UTF-8 as it stands, control characters as
// their pictures, and each byte that is not UTF-8 as \xHH ("caf\xE9.tbl"). Qt's file names
// cannot carry such bytes (they become U+FFFD), so a name that holds one is shown, never used.
[[nodiscard]] QString ReadableFileName(QByteArrayView name);

}  // namespace orvane::text
