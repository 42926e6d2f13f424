#pragma once

#include "model/file_access.h"
#include "model/table_file.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <variant>

namespace orvane::tools {

// As IN, standard input; as OUT, standard output.
inline constexpr char kStandardStream[] = "-";

// Files are named by the command line's bytes, whatever they are: Qt's file names would turn a
// name that is not UTF-8 into another (U+FFFD), so these use the system's calls on the bytes.

// Why a named file cannot be read: the system's reason, or what it is instead of a file.
struct ReadError {
  enum class Kind { kSystem, kFolder, kNotRegular };
  Kind kind = Kind::kSystem;
  QString reason;  // for kSystem
};

// The content of the file, or of standard input for "-", read once (a named pipe can be read only
// once), or why it cannot be read.
[[nodiscard]] std::variant<QByteArray, ReadError> ReadInput(const QByteArray& name,
                                                            qint64 limit = model::kMaxTableBytes);

// A regular file opened to be read at offsets (the caller closes the descriptor), with its size;
// else why not. Anything else is refused, and a named pipe without a writer is not waited for.
struct OpenedFile {
  int descriptor = -1;
  qint64 size = 0;
};
[[nodiscard]] std::variant<OpenedFile, ReadError> OpenRegularFile(const QByteArray& name);

// Replaces the file atomically, as QSaveFile does: a temporary file in the same folder, written
// whole, synced and renamed over it, with the old file's permission bits (the umask's for a new
// one); a link stays and the file it points to is replaced. What is there and is not a regular
// file is refused. On any failure the old file is left as it was and the reason comes back.
[[nodiscard]] std::optional<QString> ReplaceFile(const QByteArray& name, QByteArrayView bytes);

}  // namespace orvane::tools
