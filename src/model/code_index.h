#pragma once

#include "model/code.h"

#include <QList>

#include <optional>

namespace orvane::model {

// Where the codes of two to four bytes are defined among the extra lines: for each code the line
// that defines it last, which is what the code holds. Two-byte codes, most of any large table,
// sit in a flat table that a load fills line by line without sorting; longer codes in a list
// sorted by code. Copies share the data until one changes.
class CodeIndex {
 public:
  // A code and the line that defines it last.
  struct Entry {
    Code code;
    qsizetype line;
  };

  // A line that defines a code another line defined before it.
  struct Override {
    Code code;
    qsizetype line;  // the earlier line
    qsizetype by;    // the later one
  };

  static constexpr qsizetype kNoLine = -1;

  // While loading, lines come in file order: a line that defines a two-byte code again returns
  // the line it overrides, else kNoLine. Finish ends the load and tells which lines define a
  // longer code again. Inline and without an optional: a large table adds a code a line, and an
  // optional passed through memory stalls the load on every one.
  qsizetype Add(Code code, qsizetype line) {
    ++line_count_;
    if (code.Length() != 2) {
      AddLonger(code, line);
      return kNoLine;
    }
    if (two_byte_.isEmpty()) two_byte_.resize(kTwoByteCodes);
    qint32& entry = two_byte_[code.Value()];
    const qint32 old = entry;
    entry = static_cast<qint32>(line + 1);
    return qsizetype{old} - 1;  // entries hold line + 1
  }
  [[nodiscard]] QList<Override> Finish();

  // Editing: the lines from `from` on moved by `by`; a line at `line` now defines `code`, or no
  // longer does (`previous` is the code's line before it, if any, which then defines it).
  void ShiftLines(qsizetype from, qsizetype by);
  void Insert(const Code& code, qsizetype line);
  void Erase(const Code& code, qsizetype line, std::optional<qsizetype> previous);
  void Clear();

  [[nodiscard]] std::optional<qsizetype> DefiningLine(const Code& code) const;
  // How many lines define longer codes, those another line overrides included.
  [[nodiscard]] qsizetype LineCount() const { return line_count_; }
  // Every code, once, in code order.
  [[nodiscard]] QList<Entry> Entries() const;
  // Whether a longer code begins with all of `page`'s prefix.
  [[nodiscard]] bool HoldsCodesOf(const Page& page) const;
  // The nearest lower code of `code`'s length, or the nearest higher one.
  [[nodiscard]] std::optional<Entry> NearestLower(const Code& code) const;
  [[nodiscard]] std::optional<Entry> NearestHigher(const Code& code) const;

 private:
  static constexpr qsizetype kTwoByteCodes = 0x10000;
  [[nodiscard]] qsizetype LongerEntry(const Code& code) const;
  void AddLonger(const Code& code, qsizetype line);
  void SetTwoByte(quint32 value, qsizetype line);

  // Line + 1 of each two-byte code's defining line, 0 for none; empty until one is defined.
  QList<qint32> two_byte_;
  // Codes of three and four bytes with their defining lines, in code order.
  QList<Entry> longer_;
  bool longer_sorted_ = true;
  qsizetype line_count_ = 0;
};

}  // namespace orvane::model
