#include "model/table_line.h"

#include "model/hex.h"

#include <variant>

namespace orvane::model {
namespace {

// How many hexadecimal digits the line holds from `at` on.
qsizetype HexRun(QByteArrayView line, qsizetype at) {
  qsizetype end = at;
  while (end < line.size() && HexDigitValue(line[end]) >= 0) ++end;
  return end - at;
}

// A code of several bytes is spelled with 4, 6 or 8 digits; other runs are read as they always
// were (a single byte, or an extra line).
bool SpellsLongerCode(qsizetype digits) { return digits == 4 || digits == 6 || digits == 8; }

// Where the "h)" of a bookmark line starts, or -1.
qsizetype BookmarkEnd(QByteArrayView line) {
  for (qsizetype i = 1; i + 1 < line.size(); ++i) {
    if ((line[i] == 'h' || line[i] == 'H') && line[i + 1] == ')') return i;
  }
  return -1;
}

TableLine Form(LineForm form) {
  TableLine read;
  read.form = form;
  return read;
}

TableLine Coded(LineForm form, QByteArrayView line, qsizetype at, qsizetype digits,
                qsizetype text_at) {
  TableLine read;
  read.form = form;
  read.digits = line.sliced(at, digits);
  read.code = *Code::FromHex(read.digits);
  read.text = line.sliced(text_at);
  return read;
}

TableLine Mark(QByteArrayView line) {
  const qsizetype run = HexRun(line, 1);
  const qsizetype digits = SpellsLongerCode(run) ? run : 2;
  if (run < 2) return Form(LineForm::kLookalike);
  TableLine read = Coded(LineForm::kSpecial, line, 1, digits, 1 + digits);
  read.mark = line[0];
  return read;
}

TableLine Bookmark(QByteArrayView line) {
  const qsizetype h = BookmarkEnd(line);
  // Without "h)" or without a title the line is kept as an extra line, so nothing is lost.
  if (h < 0 || h + 2 == line.size()) return Form(LineForm::kExtraLine);
  const auto address = ParseHexAddress(line.sliced(1, h - 1));
  if (!std::holds_alternative<qint32>(address)) return Form(LineForm::kLookalike);
  TableLine read;
  read.form = LineForm::kBookmark;
  read.address = std::get<qint32>(address);
  read.title = line.sliced(h + 2);
  return read;
}

}  // namespace

TableLine ReadTableLine(QByteArrayView line) {
  if (line.size() >= 3 && line[2] == '=') {
    if (HexRun(line, 0) < 2) return Form(LineForm::kLookalike);
    return Coded(LineForm::kCodeEntry, line, 0, 2, 3);
  }
  if (line.isEmpty()) return TableLine{};
  switch (line[0]) {
    case '(':
      return Bookmark(line);
    case '/':
    case '*':
      return Mark(line);
    default:
      break;
  }
  const qsizetype run = HexRun(line, 0);
  if (SpellsLongerCode(run) && run < line.size() && line[run] == '=') {
    return Coded(LineForm::kCodeEntry, line, 0, run, run + 1);
  }
  return Form(LineForm::kExtraLine);
}

QByteArray DefinedText(const TableLine& line) {
  if (line.form == LineForm::kSpecial) return QByteArray(1, line.mark);
  return line.text.toByteArray();
}

bool ReadsAsExtraLine(QByteArrayView line) {
  if (line.contains('\r') || line.contains('\n')) return false;
  const TableLine read = ReadTableLine(line);
  switch (read.form) {
    case LineForm::kExtraLine:
    case LineForm::kLookalike:
      return true;
    case LineForm::kCodeEntry:
    case LineForm::kSpecial:
      return !read.code.IsSingleByte();
    default:
      return false;
  }
}

}  // namespace orvane::model
