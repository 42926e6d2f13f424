#pragma once

#include "model/code.h"
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
// mark or a bookmark and is kept as an extra line, or a longer code's line that a later line
// overrides (both stay in the file); the first line that holds a NUL byte, which no table holds
// (the file may be no table at all); or a line that is not valid in the table's encoding.
struct LoadWarning {
  enum class Kind { kReplaced, kNoText, kKeptAsExtraLine, kDefinedAgain, kNulBytes, kNotValid };
  Kind kind = Kind::kReplaced;
  qsizetype line = 0;
  Code code;
  qsizetype replaced_by = 0;  // kReplaced, kDefinedAgain: the later line that defines the code
  text::Encoding encoding = text::Encoding::kEucJp;  // kNotValid: the encoding it is not valid in

  friend bool operator==(const LoadWarning&, const LoadWarning&) = default;
};

// What check says of the warning, after "FILE:LINE: warning: " ("kept as an extra line").
[[nodiscard]] QByteArray WarningText(const LoadWarning& warning);

struct SaveError {
  QString reason;
};

// Reads the file into a document the caller has cleared, with its form (a byte-order mark,
// UTF-16 with or without one) and the encoding of the text a save writes (text::EncodingDetector).
// The title names the file before it is opened; the path follows only once it is open. On a
// failing line the lines before it stay loaded. The warnings, in line order, go to `warnings`
// when it is given. A file larger than kMaxTableBytes (file_access.h) is refused.
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

// How a save lays the table out: the format's canonical form (extra lines, codes in order,
// bookmarks), or the file's own layout as it was read, with only what changed changed.
enum class SaveLayout { kCanonical, kKeepFile };

// Replaces the file atomically: on any failure the old file is left exactly as it was. What is
// there and is not a regular file (a named pipe, a device), nor a link to one, is refused. On
// success the path and title name the file; the modified flag is the caller's. A table without a
// file's layout is written canonically either way, and a canonical save lets the layout go: the
// file is canonical from then on.
[[nodiscard]] std::optional<SaveError> SaveTable(TableDocument& document, const QString& path,
                                                 SaveLayout layout = SaveLayout::kCanonical);
// The line a save writes for a code ("41=A", "/FF=[end]"), without its line end; empty for a
// cell without text, which a save leaves out.
[[nodiscard]] QByteArray CodeLine(const TableDocument& document, const Code& code);
// The table's lines in the document's bytes, as a plain file holds them: canonically the extra
// lines, then CodeAndBookmarkLines; or in the file's own layout.
[[nodiscard]] QByteArray TableToBytes(const TableDocument& document,
                                      SaveLayout layout = SaveLayout::kCanonical);
[[nodiscard]] QByteArray CodeAndBookmarkLines(const TableDocument& document);
// The bytes a save writes, in the document's file form (UTF-16 read without a mark is written
// without one), or why they cannot be written (a UTF-16 file whose texts are not all UTF-8).
[[nodiscard]] std::variant<QByteArray, SaveError> FileBytes(
    const TableDocument& document, SaveLayout layout = SaveLayout::kCanonical);

}  // namespace orvane::model
