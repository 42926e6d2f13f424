#include "model/table_line.h"

#include "model/hex.h"

#include <algorithm>
#include <variant>

namespace orvane::model {
namespace {

// The hexadecimal digits the line holds from `at` on: how many, and the value of the first eight.
struct HexDigits {
  qsizetype count = 0;
  quint32 value = 0;
};

HexDigits HexRun(QByteArrayView line, qsizetype at) {
  HexDigits run;
  for (qsizetype i = at; i < line.size(); ++i) {
    const int digit = HexDigitValue(line[i]);
    if (digit < 0) break;
    if (run.count < 8) run.value = run.value << 4 | static_cast<quint32>(digit);
    ++run.count;
  }
  return run;
}

// A code of several bytes is spelled with 4, 6 or 8 digits; other runs are read as they always
// were (a single byte, or an extra line).
bool SpellsLongerCode(qsizetype digits) { return digits == 4 || digits == 6 || digits == 8; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A code entry of one byte typed wrong ("41 = A", " 42=B", "044=D", "4=E"): hexadecimal digits
// and "=", with blanks around the digits or one or three of them. Runs of 4, 6 or 8 digits are
// codes of several bytes; 5, 7, and 10 or more are read as extra lines and left alone.
bool NearlyACode(QByteArrayView line) {
  qsizetype at = 0;
  while (at < line.size() && IsBlank(line[at])) ++at;
  const qsizetype indent = at;
  while (at < line.size() && HexDigitValue(line[at]) >= 0) ++at;
  const qsizetype digits = at - indent;
  const qsizetype digits_end = at;
  while (at < line.size() && IsBlank(line[at])) ++at;
  if (digits == 0 || digits >= 10 || at == line.size() || line[at] != '=') return false;
  return indent > 0 || at > digits_end || digits == 1 || digits == 3;
}

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

// `run` holds at least `digits` digits from `at` on, which spell the code.
TableLine Coded(LineForm form, QByteArrayView line, qsizetype at, HexDigits run, qsizetype digits,
                qsizetype text_at) {
  TableLine read;
  read.form = form;
  read.digits = line.sliced(at, digits);
  read.code = *Code::Make(run.value >> (4 * (std::min<qsizetype>(run.count, 8) - digits)),
                          static_cast<int>(digits / 2));
  read.text = line.sliced(text_at);
  return read;
}

TableLine Mark(QByteArrayView line) {
  const HexDigits run = HexRun(line, 1);
  if (run.count < 2) return Form(LineForm::kLookalike);
  const qsizetype digits = SpellsLongerCode(run.count) ? run.count : 2;
  TableLine read = Coded(LineForm::kSpecial, line, 1, run, digits, 1 + digits);
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
  // Most lines of a large table: a two-byte code's four digits and "=". The general reading
  // below comes to the same for such a line, only slower.
  if (line.size() >= 5 && line[4] == '=') {
    const int digits = HexDigitValue(line[0]) | HexDigitValue(line[1]) | HexDigitValue(line[2]) |
                       HexDigitValue(line[3]);
    if (digits >= 0) {
      const auto value =
          static_cast<quint32>(HexDigitValue(line[0]) << 12 | HexDigitValue(line[1]) << 8 |
                               HexDigitValue(line[2]) << 4 | HexDigitValue(line[3]));
      return Coded(LineForm::kCodeEntry, line, 0, HexDigits{4, value}, 4, 5);
    }
  }
  if (line.size() >= 3 && line[2] == '=') {
    const HexDigits run = HexRun(line, 0);
    if (run.count < 2) return Form(LineForm::kLookalike);
    return Coded(LineForm::kCodeEntry, line, 0, run, 2, 3);
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
  const HexDigits run = HexRun(line, 0);
  if (SpellsLongerCode(run.count) && run.count < line.size() && line[run.count] == '=') {
    return Coded(LineForm::kCodeEntry, line, 0, run, run.count, run.count + 1);
  }
  return Form(NearlyACode(line) ? LineForm::kLookalike : LineForm::kExtraLine);
}

QByteArray DefinedText(const TableLine& line) {
  if (line.form == LineForm::kSpecial) return QByteArray(1, line.mark);
  return line.text.toByteArray();
}

QByteArray CodeLineText(const CodeView& entry, const CodeSpelling& spelling) {
  QByteArray line;
  if (entry.special && (entry.text == "/" || entry.text == "*")) {
    line.reserve(entry.text.size() + spelling.digits.size() + entry.label.size() + 1);
    line.append(entry.text).append(spelling.digits);
    if (!entry.label.isEmpty() && spelling.label_after_equals) line.append('=');
    return line.append(entry.label);
  }
  line.reserve(spelling.digits.size() + entry.text.size() + 1);
  return line.append(spelling.digits).append('=').append(entry.text);
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
