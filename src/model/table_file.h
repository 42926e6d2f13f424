#pragma once

#include "text/encoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace orvane::model {

class TableDocument;

// Why a load stopped. `line` is 1-based; 0 when the file itself could not be read.
struct LoadError {
  qsizetype line = 0;
  QString reason;
};

struct SaveError {
  QString reason;
};

// Reads the file into a document the caller has cleared. The title names the file before it
// is opened; the path follows only once it is open. On a failing line the lines before it
// stay loaded.
[[nodiscard]] std::optional<LoadError> LoadTable(TableDocument& document, const QString& path);
[[nodiscard]] std::optional<LoadError> LoadTableFromBytes(TableDocument& document,
                                                          QByteArrayView bytes);

// The encoding of the table's texts, cells, extra lines and bookmark titles alike; a load sets
// it on the document.
[[nodiscard]] text::Encoding DetectEncoding(const TableDocument& document);

// Whether the line, written as an extra line, is read back as one (and not as a code entry, a
// special character or a bookmark, nor split into lines).
[[nodiscard]] bool ReadsAsExtraLine(QByteArrayView line);

// Replaces the file atomically: on any failure the old file is left exactly as it was. On
// success the path and title name the file; the modified flag is the caller's.
[[nodiscard]] std::optional<SaveError> SaveTable(TableDocument& document, const QString& path);
[[nodiscard]] QByteArray TableToBytes(const TableDocument& document);

}  // namespace orvane::model
