#pragma once

#include "data/code_lookup.h"
#include "data/spelling_search.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace orvane::data {

// Typed text beyond this many UTF-16 units is refused: the search's memory grows with it.
inline constexpr qsizetype kMaxEncodedText = qsizetype{1} << 22;

// The bytes the table makes for a text, or why it makes none.
struct EncodeResult {
  enum class Status { kOk, kNoCode, kReadsBackOtherwise, kTooLong };
  Status status = Status::kOk;
  // kOk: the answer. kReadsBackOtherwise: the fewest bytes, which read back as `read_back`.
  QByteArray bytes;
  // kNoCode: the character no code spells, and where it is (1-based, in characters).
  QString character;
  qsizetype position = 0;
  // kOk when fewer bytes spell the text but read back otherwise: those bytes and their reading.
  QByteArray shortest;
  QString read_back;

  [[nodiscard]] bool HasBytes() const {
    return status == Status::kOk || status == Status::kReadsBackOtherwise;
  }
  // "No code for 'x' (character 3).", what fewer or these bytes read back as, or nothing.
  [[nodiscard]] QString Message() const;
};

// Makes text into the bytes the game would hold: the fewest bytes that the table reads back as
// exactly the text, the first in byte order among as few. A code stands for its text as the
// reading shows it (a mark for its label, or "<END>" and "<LINE>"), and "<$XX>" for that byte.
// Where fewer bytes spell the text but read back otherwise (overlapping codes), it says so and
// gives the fewest that read back. The lookup must not change while it is in use.
class TextEncoder {
 public:
  explicit TextEncoder(const CodeLookup& lookup);

  [[nodiscard]] EncodeResult Encode(QStringView text) const;

 private:
  const CodeLookup& lookup_;
  SpellingIndex all_;
  SpellingIndex fewest_;  // one code for each text
};

// Text as a person types it, made into text as the reading shows it: the digits of "<$xx>" in
// upper case, and a line end as "<LINE>".
[[nodiscard]] QString NormalizeTypedText(const QString& text);

}  // namespace orvane::data
