#pragma once

#include "model/code_store.h"
#include "model/table_document.h"
#include "text/encoding.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <memory>
#include <vector>

namespace orvane::model {

// What a table file said, as it was read: its text (without a byte-order mark, as UTF-8 for a
// UTF-16 file), where each extra line and each line of a code of two to four bytes stood and
// how it was spelled, and what the codes and bookmarks were then. The one writer reads it, for
// the file's own layout and for the place and spelling of longer codes in the canonical form; a
// save compares the table with it, so only what changed changes.
struct FileLayout {
  // A line that is neither blank, nor a single byte's code or mark, nor a bookmark: an extra
  // line, a line of a longer code or a control code's line, which the canonical form writes at
  // the top in file order.
  enum class Kind : quint8 { kExtra, kEntry, kMark, kControl };
  struct Line {
    quint32 begin = 0;  // in `text`
    quint32 size = 0;
    quint32 number = 0;  // from 1
    Kind kind = Kind::kExtra;
    bool replaced = false;  // a later line defines the same code

    [[nodiscard]] bool IsCode() const { return kind != Kind::kExtra; }
  };

  QByteArray text;
  qsizetype start = 0;  // where the lines begin in `text`
  qsizetype line_count = 0;
  std::vector<Line> lines;  // in file order
  // The line that defines each single byte's code last, or 0.
  std::array<quint32, kCodeCount> single_lines{};
  CodeStore codes;
  std::array<Bookmark, kSlotCount> bookmarks{};
  // Codes whose mark line gave a label not after an "=" ("/FF ; end"), in code order.
  QList<Code> bare_labels;
  // A canonical save wrote the file: every later save writes it canonically too.
  bool canonical = false;

  [[nodiscard]] QByteArrayView LineText(const Line& line) const {
    return QByteArrayView(text).sliced(line.begin, line.size);
  }
  [[nodiscard]] QByteArrayView Lines() const { return QByteArrayView(text).sliced(start); }
  [[nodiscard]] bool HasBareLabel(const Code& code) const;
};

// A line of the file that a conversion cannot write in the target encoding, and will not be
// rewritten from the table (a line that a later line for the same code replaces).
struct LayoutFailure {
  qsizetype line = 0;
  QByteArray bytes;
  bool single_byte = false;  // a single byte's line, which a canonical save leaves out
};

// The layout with the text of each line rewritten from one encoding into another, for a table
// converted in place; or the lines that cannot be, which the layout would write as they are.
// Lines the table itself writes (its codes, extra lines and bookmarks) are the table's to check.
struct ConvertedLayout {
  std::shared_ptr<const FileLayout> layout;
  QList<LayoutFailure> failures;
};
[[nodiscard]] ConvertedLayout ConvertLayout(const FileLayout& layout, text::Encoding from,
                                            text::Encoding to);

}  // namespace orvane::model
