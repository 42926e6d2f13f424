#pragma once

#include "model/code.h"
#include "model/hex.h"

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

namespace detail {
[[nodiscard]] TableLine ReadAnyTableLine(QByteArrayView line);
}  // namespace detail

// The line's form by the first test that matches, in the reader's order. Most lines of a large
// table are a two-byte code's four digits and "=": those are read inline, and the general reading
// comes to the same for them, only slower.
[[nodiscard]] inline TableLine ReadTableLine(QByteArrayView line) {
  if (line.size() >= 5 && line[4] == '=') {
    const int high = HexDigitValue(line[0]);
    const int high_low = HexDigitValue(line[1]);
    const int low_high = HexDigitValue(line[2]);
    const int low = HexDigitValue(line[3]);
    if ((high | high_low | low_high | low) >= 0) {
      TableLine read;
      read.form = LineForm::kCodeEntry;
      read.code =
          *Code::Make(static_cast<quint32>(high << 12 | high_low << 8 | low_high << 4 | low), 2);
      read.digits = line.first(4);
      read.text = line.sliced(5);
      return read;
    }
  }
  return detail::ReadAnyTableLine(line);
}

// The text a code has by this line: an entry's text, or a mark's "/" or "*".
[[nodiscard]] QByteArray DefinedText(const TableLine& line);

// Whether the line, written as an extra line, is read back as one (and not as a code entry of a
// single byte, a special character of a single byte or a bookmark, nor split into lines). The
// lines of codes of two to four bytes stay among the extra lines.
[[nodiscard]] bool ReadsAsExtraLine(QByteArrayView line);

}  // namespace orvane::model
