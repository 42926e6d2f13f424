#pragma once

#include "model/code.h"
#include "model/code_store.h"

#include <QByteArray>
#include <QByteArrayView>

namespace orvane::model {

// The forms a line of a table file takes, as the reader tells them apart.
enum class LineForm {
  kEmpty,
  kCodeEntry,  // "41=A", "8140=亜": a code of one to four bytes and its text
  kSpecial,    // "/FF", "*00F7", "/FFFF=[end]": a code marked as end of string or of line
  kBookmark,   // "(1234h)Intro"
  kExtraLine,  // anything else, kept as it is
  kLookalike,  // looks like one of the forms above but is not; kept as an extra line
};

// What one line holds. Views point into the line.
struct TableLine {
  LineForm form = LineForm::kEmpty;
  Code code;
  QByteArrayView digits;  // the code as the line spells it ("8a5b")
  QByteArrayView text;    // a code entry's text after "="; a mark's label after its digits
  char mark = 0;          // '/' or '*' for a mark
  qint32 address = 0;     // a bookmark's
  QByteArrayView title;   // a bookmark's
};

// The line's form by the first test that matches, in the reader's order.
[[nodiscard]] TableLine ReadTableLine(QByteArrayView line);

// The text a code has by this line: an entry's text, or a mark's "/" or "*".
[[nodiscard]] QByteArray DefinedText(const TableLine& line);

// How a code's line is spelled: the code's digits as the file has them (its own upper-case
// digits for a new line), and whether a mark's label follows an "=".
struct CodeSpelling {
  QByteArrayView digits;
  bool label_after_equals = true;
};

// The one writer of a code's line, beside the one reader: "41=A", "8a40=z", "/8140", "/FF=[end]".
// A code marked while its text is "/" or "*" is written as its mark; any other as an entry.
[[nodiscard]] QByteArray CodeLineText(const CodeView& entry, const CodeSpelling& spelling);

// Whether the line, written as an extra line, is read back as one (and not as a code entry of a
// single byte, a special character of a single byte or a bookmark, nor split into lines). The
// lines of codes of two to four bytes stay among the extra lines.
[[nodiscard]] bool ReadsAsExtraLine(QByteArrayView line);

}  // namespace orvane::model
