#pragma once

#include "model/table_file.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

namespace orvane::model {

// More than any table holds (real ones are a few megabytes): a larger file is refused before
// it can fill the memory.
inline constexpr qint64 kMaxTableBytes = qint64{1} << 30;

// The whole content of an open file, read in blocks, or why not: the system's reason, or a
// size past `limit`, found at once from a regular file's size and otherwise as soon as the
// reading passes it (a device, a pipe).
[[nodiscard]] std::variant<QByteArray, LoadError> ReadFileContent(int descriptor,
                                                                  qint64 limit = kMaxTableBytes);

// The bytes of the file that a name from Qt (a file dialog's) stands for, when that file's name
// is not UTF-8: Qt shows each such byte as U+FFFD, and the name Qt gives names another file.
// Nothing for any other name.
[[nodiscard]] std::optional<QByteArray> NameQtCannotCarry(const QString& path);

// Why a save must not replace what is at the path ("Is a named pipe, not a regular file"), or
// nothing when it is a regular file, a symbolic link to one, or not there at all.
[[nodiscard]] std::optional<QString> WhyNotReplaceable(const QByteArray& native_path);

}  // namespace orvane::model
