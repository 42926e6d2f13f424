#pragma once

#include "text/encoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>
#include <variant>

namespace orvane::model {

class TableDocument;

// Why a load stopped. `line` is 1-based; 0 when the file itself could not be read.
struct LoadError {
  qsizetype line = 0;
  QString reason;
};

// A line that loaded but that a save will not write as it stands, that only looks like a code, a
// mark or a bookmark and is kept as an extra line, or that is not valid in the table's encoding.
struct LoadWarning {
  enum class Kind { kReplaced, kNoText, kKeptAsExtraLine, kNotValid };
  Kind kind = Kind::kReplaced;
  qsizetype line = 0;
  quint8 code = 0;
  qsizetype replaced_by = 0;  // kReplaced: the later line that defines the same code
  text::Encoding encoding = text::Encoding::kEucJp;  // kNotValid: the encoding it is not valid in

  friend bool operator==(const LoadWarning&, const LoadWarning&) = default;
};

struct SaveError {
  QString reason;
};

// Reads the file into a document the caller has cleared, with its form (a byte-order mark,
// UTF-16 with or without one) and the encoding of the text a save writes (text::EncodingDetector).
// The title names the file before it is opened; the path follows only once it is open. On a
// failing line the lines before it stay loaded. The warnings, in line order, go to `warnings`
// when it is given.
[[nodiscard]] std::optional<LoadError> LoadTable(TableDocument& document, const QString& path,
                                                 QList<LoadWarning>* warnings = nullptr);
[[nodiscard]] std::optional<LoadError> LoadTableFromBytes(TableDocument& document,
                                                          QByteArrayView bytes,
                                                          QList<LoadWarning>* warnings = nullptr);

// A file's text as the reader reads it: without its byte-order mark, converted to UTF-8 when it
// is UTF-16 (with a mark, or without one where text::Utf16OrderWithoutMark sees it); nothing when
// it is marked as UTF-16 and is not valid UTF-16.
[[nodiscard]] std::optional<QByteArray> FileText(QByteArrayView bytes);
// The lines of a text as the reader splits them: CR LF, a lone CR and a lone LF each end one.
[[nodiscard]] QList<QByteArrayView> FileLines(QByteArrayView text);

// Whether the line, written as an extra line, is read back as one (and not as a code entry, a
// special character or a bookmark, nor split into lines).
[[nodiscard]] bool ReadsAsExtraLine(QByteArrayView line);

// Replaces the file atomically: on any failure the old file is left exactly as it was. On
// success the path and title name the file; the modified flag is the caller's.
[[nodiscard]] std::optional<SaveError> SaveTable(TableDocument& document, const QString& path);
// The line a save writes for a code ("41=A", "/FF=[end]"), without its line end; empty for a
// cell without text, which a save leaves out.
[[nodiscard]] QByteArray CodeLine(const TableDocument& document, quint8 code);
// The table's lines in the document's bytes, as a plain file holds them: the extra lines, then
// CodeAndBookmarkLines.
[[nodiscard]] QByteArray TableToBytes(const TableDocument& document);
[[nodiscard]] QByteArray CodeAndBookmarkLines(const TableDocument& document);
// The bytes a save writes, in the document's file form (UTF-16 read without a mark is written
// without one), or why they cannot be written (a UTF-16 file whose texts are not all UTF-8).
[[nodiscard]] std::variant<QByteArray, SaveError> FileBytes(const TableDocument& document);

}  // namespace orvane::model
