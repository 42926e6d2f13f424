#pragma once

#include "data/code_lookup.h"
#include "data/spelling_search.h"
#include "data/string_reader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace orvane::data {

// Typed text beyond this many UTF-16 units is refused: the search's memory grows with it.
inline constexpr qsizetype kMaxEncodedText = qsizetype{1} << 22;
// A message shows this much of a spelling or of its reading, so that a long text's note stays a
// line.
inline constexpr qsizetype kShownInMessage = 64;

// The bytes the table makes for a text, or why it makes none.
struct EncodeResult {
  enum class Status {
    kOk,
    kNoCode,
    kReadsBackOtherwise,
    kTooLong,
    kTooManySpellings,
    kControlArguments
  };
  Status status = Status::kOk;
  // kOk: the answer. kReadsBackOtherwise, kTooManySpellings: the fewest bytes, which read back
  // as `read_back`; no other bytes do, or there were too many to look at them all.
  QByteArray bytes;
  // kNoCode: the character no code spells, and where it is (1-based, in characters).
  // kControlArguments: the same for a control code's label without the arguments it takes, and
  // what it takes.
  QString character;
  qsizetype position = 0;
  QString control;
  // kOk when fewer bytes spell the text but read back otherwise: those bytes and their reading.
  QByteArray shortest;
  QString read_back;

  [[nodiscard]] bool HasBytes() const {
    return status == Status::kOk || status == Status::kReadsBackOtherwise;
  }
  // "No code for 'x' (character 3).", what fewer or these bytes read back as, or nothing. Each
  // spelling shows at most kShownInMessage bytes or characters, then "…".
  [[nodiscard]] QString Message() const;
};

// Makes text into the bytes the game would hold: the fewest bytes that the table reads back as
// exactly the text, the first in byte order among as few. A code stands for its text as the
// reading shows it (a mark for its label, or "<END>" and "<LINE>"), and "<$XX>" for that byte.
// So that what a reading printed can be typed back, a code also stands for its reading as
// printed (AliasesOf) where no code reads as that: a labelled end or line-break mark for
// "<END>" or "<LINE>", a text with a control that has no picture for it with the control's code
// ("<U+009B>"). Where fewer bytes spell the text but read back otherwise (overlapping codes),
// it says so and gives the fewest that read back. A control code stands for its label with its
// arguments as the reading shows them, and each code for its text with or without the line
// breaks it ends in. The lookup must not change while it is in use.
class TextEncoder {
 public:
  explicit TextEncoder(const CodeLookup& lookup);

  [[nodiscard]] EncodeResult Encode(QStringView text) const;

 private:
  struct Spellings {
    SpellingIndex all;
    SpellingIndex fewest;  // one code for each text
  };
  // With `loose`, a code's text may also be spelt without the line breaks it ends in.
  [[nodiscard]] EncodeResult EncodeWith(QStringView text, const Spellings& spellings,
                                        bool loose) const;
  // Whether the table reads the bytes as the text, each code as its reading or an alias of it.
  [[nodiscard]] bool ReadsBackAs(QByteArrayView bytes, QStringView text, bool loose) const;
  [[nodiscard]] QStringList AliasesInUse(const CodeReading& reading, bool loose) const;
  // What else the code at this piece, with the pieces of its arguments, may be spelt as.
  [[nodiscard]] QStringList OtherSpellings(QByteArrayView bytes, const ReadString& string,
                                           qsizetype piece, qsizetype last, bool loose) const;
  // The control code whose label without its arguments is at the start of the text, if any.
  [[nodiscard]] const CodeReading* ControlWithoutArguments(QStringView text) const;

  const CodeLookup& lookup_;
  QHash<QString, QByteArray> readings_;  // each reading, with its fewest bytes
  bool has_aliases_ = false;
  std::vector<const CodeReading*> controls_;
  Spellings exact_;
  // Made only when some code's text ends in line breaks, for text typed without them.
  std::optional<Spellings> loose_;
};

// Text as a person types it, made into text as the reading shows it: the digits of "<$xx>" in
// upper case, a line end as "<LINE>", and another control character as its picture (a TAB as
// "␉").
[[nodiscard]] QString NormalizeTypedText(const QString& text);

}  // namespace orvane::data
