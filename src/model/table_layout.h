#pragma once

#include "model/table_document.h"
#include "text/encoding.h"

#include <QByteArray>

#include <array>
#include <memory>

namespace orvane::model {

// A table file as it was read, for a save that keeps its layout: its text (without a byte-order
// mark, as UTF-8 for a UTF-16 file) and what its single-byte codes and bookmarks were then. The
// extra lines and bookmarks of the document name the file lines they came from (their origins);
// the layout writer reads the lines again with the reader's own grammar.
struct FileLayout {
  QByteArray text;
  qsizetype start = 0;  // where the lines begin in `text`
  std::array<CodeCell, kCodeCount> cells{};
  std::array<Bookmark, kSlotCount> bookmarks{};
};

// The table written in its file's own layout: every line of the file in its order, with its own
// bytes and line end, unless what it defines changed; new lines where they belong.
[[nodiscard]] QByteArray LayoutToBytes(const TableDocument& document, const FileLayout& layout);

// The layout with the text of each line rewritten from one encoding into another, for a table
// converted in place; a line that cannot be rewritten stays as it was.
[[nodiscard]] std::shared_ptr<const FileLayout> ConvertLayout(const FileLayout& layout,
                                                              text::Encoding from,
                                                              text::Encoding to);

}  // namespace orvane::model
