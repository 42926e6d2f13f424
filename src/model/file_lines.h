#pragma once

#include <QByteArrayView>

#include <bit>
#include <cstring>

namespace orvane::model {

// How a line of a table file ends: CR LF, a lone CR and a lone LF each end one; the file's last
// line may have none.
enum class LineEnding : quint8 { kNone, kLf, kCrLf, kCr };

[[nodiscard]] constexpr QByteArrayView LineEndingBytes(LineEnding ending) {
  switch (ending) {
    case LineEnding::kLf:
      return "\n";
    case LineEnding::kCrLf:
      return "\r\n";
    case LineEnding::kCr:
      return "\r";
    case LineEnding::kNone:
      break;
  }
  return {};
}

// The first CR or LF from `at` on, or `end`. Eight bytes at a time where the machine allows: most
// lines are short, and a load looks at every byte.
inline const char* LineEnd(const char* at, const char* end) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr quint64 kOnes = 0x0101010101010101ULL;
    constexpr quint64 kHighBits = 0x8080808080808080ULL;
    for (; end - at >= 8; at += 8) {
      quint64 word;
      std::memcpy(&word, at, sizeof word);
      const quint64 cr = word ^ (kOnes * '\r');
      const quint64 lf = word ^ (kOnes * '\n');
      // A byte that is zero in cr or lf; the lowest one found is exact.
      const quint64 found = (((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighBits;
      if (found != 0) return at + std::countr_zero(found) / 8;
    }
  }
  while (at < end && *at != '\r' && *at != '\n') ++at;
  return at;
}

// Calls `read(line, number, ending)` with each line of the text, its number from 1 and how it
// ends, while it returns true. The one splitter of table files, for reading and for writing back.
template <typename Read>
void ForEachLine(QByteArrayView text, Read read) {
  const char* const end = text.data() + text.size();
  qsizetype number = 0;
  for (const char* start = text.data(); start < end;) {
    const char* stop = LineEnd(start, end);
    LineEnding ending = LineEnding::kNone;
    if (stop < end) ending = *stop == '\n' ? LineEnding::kLf : LineEnding::kCr;
    if (ending == LineEnding::kCr && stop + 1 < end && stop[1] == '\n') ending = LineEnding::kCrLf;
    if (!read(QByteArrayView(start, stop - start), ++number, ending)) return;
    start = stop + LineEndingBytes(ending).size();
  }
}

}  // namespace orvane::model
