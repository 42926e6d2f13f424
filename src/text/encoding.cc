#include "text/encoding.h"

#include "text/utf8.h"

#include <algorithm>

namespace orvane::text {
namespace {

// Weights in half points per byte.
constexpr qint64 kText = 4;         // kana, kanji, letters, CJK punctuation and full-width forms
constexpr qint64 kSymbol = 2;       // Greek, Cyrillic, box drawing, Latin-1 symbols
constexpr qint64 kPunctuation = 1;  // Windows-1252's quotes and dashes, which other bytes become
constexpr qint64 kHalfWidthPunctuation = 0;
// A byte sequence that an encoding cannot read costs as much as a kana read well: one stray byte
// does not decide a whole table.
constexpr qint64 kUnreadable = 8;

bool Between(quint8 byte, int low, int high) { return byte >= low && byte <= high; }

// How well an encoding reads a text, in half points, and what it leaves unread.
struct Reading {
  qint64 score = 0;
  qint64 unreadable = 0;
  [[nodiscard]] qint64 Total() const { return score - kUnreadable * unreadable; }
};

// Walks the text's bytes above 0x7F: `read` gets the position of one and returns how many bytes
// it read from there, or 0 when the encoding cannot read them (the walk goes on at the next byte).
template <typename ReadAt>
void WalkNonAscii(QByteArrayView text, Reading& reading, ReadAt read) {
  qsizetype i = FirstNonAscii(text);
  while (i < text.size()) {
    const qsizetype used = read(i);
    if (used == 0) ++reading.unreadable;
    i += used == 0 ? 1 : used;
    // Short ASCII runs (a line's end and the next code) byte by byte, long ones eight at a time.
    const qsizetype short_run_end = std::min(text.size(), i + 16);
    while (i < short_run_end && static_cast<quint8>(text[i]) < 0x80) ++i;
    if (i == short_run_end && i < text.size()) i += FirstNonAscii(text.sliced(i));
  }
}

quint8 ByteAt(QByteArrayView text, qsizetype i) {
  return i < text.size() ? static_cast<quint8>(text[i]) : quint8{0};
}

Reading ShiftJisReading(QByteArrayView text) {
  Reading reading;
  qint64 half_width_letters = 0;
  std::array<bool, 64> half_width_seen{};
  WalkNonAscii(text, reading, [&](qsizetype i) -> qsizetype {
    const quint8 lead = ByteAt(text, i);
    if (Between(lead, 0xA1, 0xDF)) {
      if (lead >= 0xA6) {
        ++half_width_letters;
        half_width_seen[lead - 0xA0] = true;
      }
      reading.score += kHalfWidthPunctuation;
      return 1;
    }
    const quint8 trail = ByteAt(text, i + 1);
    if (!Between(trail, 0x40, 0x7E) && !Between(trail, 0x80, 0xFC)) return 0;
    if (Between(lead, 0x81, 0x83) || Between(lead, 0x88, 0x9F) || Between(lead, 0xE0, 0xEA)) {
      reading.score += 2 * kText;  // symbols and kana, kanji of both levels
    } else if (lead == 0x84 || lead == 0x87 || Between(lead, 0xED, 0xEE) ||
               Between(lead, 0xFA, 0xFC)) {
      reading.score += 2 * kSymbol;  // Greek, Cyrillic, box drawing, the NEC and IBM extensions
    } else {
      return 0;  // unassigned rows and the user-defined area
    }
    return 2;
  });
  // A syllabary of half-width katakana is Japanese; one or two such bytes are more likely a
  // Latin-1 symbol or letter.
  const auto distinct = std::count(half_width_seen.begin(), half_width_seen.end(), true);
  reading.score += half_width_letters * (distinct >= 10 ? kText : 1);
  return reading;
}

Reading EucJpReading(QByteArrayView text) {
  Reading reading;
  WalkNonAscii(text, reading, [&](qsizetype i) -> qsizetype {
    const quint8 lead = ByteAt(text, i);
    if (lead == 0x8E) {  // a half-width katakana
      const quint8 kana = ByteAt(text, i + 1);
      if (!Between(kana, 0xA1, 0xDF)) return 0;
      reading.score += kana >= 0xA6 ? kText : kHalfWidthPunctuation;
      return 2;
    }
    if (lead == 0x8F) {  // JIS X 0212
      if (!Between(ByteAt(text, i + 1), 0xA1, 0xFE) || !Between(ByteAt(text, i + 2), 0xA1, 0xFE)) {
        return 0;
      }
      reading.score += 3 * kSymbol;
      return 3;
    }
    if (!Between(lead, 0xA1, 0xFE) || !Between(ByteAt(text, i + 1), 0xA1, 0xFE)) return 0;
    if (Between(lead, 0xA1, 0xA5) || Between(lead, 0xB0, 0xF4)) {
      reading.score += 2 * kText;  // symbols, full-width forms, kana, kanji
    } else if (Between(lead, 0xA6, 0xA8) || lead == 0xAD) {
      reading.score += 2 * kSymbol;  // Greek, Cyrillic, box drawing, NEC specials
    } else {
      return 0;  // unassigned rows and the user-defined area
    }
    return 2;
  });
  return reading;
}

bool IsWindows1252Letter(quint8 byte) {
  switch (byte) {
    case 0x83:  // f with hook
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
      return true;
    default:
      return byte >= 0xC0 && byte != 0xD7 && byte != 0xF7;
  }
}

Reading Windows1252Reading(QByteArrayView text) {
  Reading reading;
  WalkNonAscii(text, reading, [&](qsizetype i) -> qsizetype {
    const quint8 byte = ByteAt(text, i);
    if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) return 0;
    if (IsWindows1252Letter(byte)) {
      reading.score += kText;
    } else {
      reading.score += byte < 0xA0 ? kPunctuation : kSymbol;
    }
    return 1;
  });
  return reading;
}

}  // namespace

QString EncodingName(Encoding encoding) {
  switch (encoding) {
    case Encoding::kEucJp:
      return QStringLiteral("EUC-JP");
    case Encoding::kShiftJis:
      return QStringLiteral("Shift-JIS");
    case Encoding::kUtf8:
      return QStringLiteral("UTF-8");
    case Encoding::kWindows1252:
      return QStringLiteral("Windows-1252");
  }
  return {};
}

std::optional<Encoding> EncodingFromName(QStringView name) {
  for (Encoding encoding : kEncodings) {
    if (name.compare(EncodingName(encoding), Qt::CaseInsensitive) == 0) return encoding;
  }
  return std::nullopt;
}

QString FormName(FileForm form) {
  switch (form) {
    case FileForm::kUtf8Bom:
      return QStringLiteral("UTF-8 with BOM");
    case FileForm::kUtf16Le:
      return QStringLiteral("UTF-16LE");
    case FileForm::kUtf16Be:
      return QStringLiteral("UTF-16BE");
    case FileForm::kPlain:
      break;
  }
  return {};
}

Encoding DetectEncoding(QByteArrayView text) {
  const qsizetype first = FirstNonAscii(text);
  if (first == text.size()) return Encoding::kEucJp;
  const QByteArrayView rest = text.sliced(first);
  if (IsValidUtf8(rest)) return Encoding::kUtf8;
  const std::array<std::pair<Encoding, Reading>, 3> readings = {
      {{Encoding::kEucJp, EucJpReading(rest)},
       {Encoding::kShiftJis, ShiftJisReading(rest)},
       {Encoding::kWindows1252, Windows1252Reading(rest)}}};
  const auto* best = &readings[0];
  for (const auto& reading : readings) {
    if (reading.second.Total() > best->second.Total()) best = &reading;
  }
  return best->first;
}

}  // namespace orvane::text
