#include "text/encoding.h"

#include "text/code_tables.h"
#include "text/utf8.h"

#include <algorithm>

namespace orvane::text {
namespace {

// Weights in half points per byte.
constexpr qint64 kText = 4;         // kana, kanji, letters, CJK punctuation and full-width forms
constexpr qint64 kSymbol = 2;       // Greek, Cyrillic, box drawing, Latin-1 symbols
constexpr qint64 kPunctuation = 1;  // Windows-1252's quotes and dashes, which other bytes become
constexpr qint64 kHalfWidthPunctuation = 0;
// A half-width katakana of a syllabary: more than a byte of a kanji, so that a table of them
// reads as Shift-JIS although their pairs are kanji in EUC-JP too (ﾀﾖ is C0 D6, 赤).
constexpr qint64 kSyllabaryLetter = kText + 1;
constexpr int kSyllabarySize = 10;  // different half-width katakana that make a syllabary
// EUC-JP writes a half-width katakana behind 8E: more than the kanji (Shift-JIS) or the two
// letters (Windows-1252) that the same two bytes can be.
constexpr qint64 kEucHalfWidthLetter = 2 * kText + 1;
// A byte sequence that an encoding cannot read costs as much as a kana read well: one stray byte
// does not decide a whole table.
constexpr qint64 kUnreadable = 8;

bool IsIdeograph(char16_t unicode) {
  return (unicode >= 0x4E00 && unicode <= 0x9FFF) || (unicode >= 0xF900 && unicode <= 0xFAFF);
}

bool IsUserDefined(char16_t unicode) { return unicode >= 0xE000 && unicode <= 0xF8FF; }

constexpr bool IsWindows1252Letter(quint8 byte) {
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

constexpr qint64 Windows1252Weight(quint8 byte) {
  if (IsWindows1252Letter(byte)) return kText;
  return byte < 0xA0 ? kPunctuation : kSymbol;
}

// The weight of each byte read as Windows-1252, -1 for the five it leaves unassigned.
constexpr std::array<qint8, 256> Windows1252Weights() {
  std::array<qint8, 256> weights{};
  for (int byte = 0x80; byte < 0x100; ++byte) {
    const auto value = static_cast<quint8>(byte);
    const bool unassigned =
        value == 0x81 || value == 0x8D || value == 0x8F || value == 0x90 || value == 0x9D;
    weights[value] = static_cast<qint8>(unassigned ? -1 : Windows1252Weight(value));
  }
  return weights;
}
constexpr std::array<qint8, 256> kWindows1252Weights = Windows1252Weights();

}  // namespace

qint64 EncodingDetector::Reading::Total() const { return score - kUnreadable * unreadable; }

// The readers walk a line from its first byte above 0x7F, a character at a time: they run for
// every line of tables of millions of lines.
void EncodingDetector::ReadShiftJis(QByteArrayView line) {
  const CodeTables& tables = CodeTables::Get();
  for (qsizetype i = 0; i < line.size();) {
    const auto lead = static_cast<quint8>(line[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    const CharacterAt character = tables.ShiftJisAt(line, i);
    if (character.size == 0) {
      ++shift_jis_.invalid;
      ++shift_jis_.unreadable;
      ++i;
      continue;
    }
    if (character.size == 1) {
      // A half-width katakana: its weight waits until the whole table is known.
      if (lead >= 0xA6) {
        ++half_width_letters_;
        half_width_seen_[lead - 0xA0] = true;
      }
      shift_jis_.score += kHalfWidthPunctuation;
    } else if (IsUserDefined(character.character)) {
      ++shift_jis_.unreadable;
    } else if (lead == 0x84 || lead == 0x87 ||
               (lead >= 0xED && !IsIdeograph(character.character))) {
      shift_jis_.score += 2 * kSymbol;  // Greek, Cyrillic, box drawing, the NEC and IBM symbols
    } else {
      shift_jis_.score += 2 * kText;  // symbols and kana, kanji of both levels and the IBM rows
    }
    i += character.size;
  }
}

void EncodingDetector::ReadEucJp(QByteArrayView line) {
  const CodeTables& tables = CodeTables::Get();
  for (qsizetype i = 0; i < line.size();) {
    const auto lead = static_cast<quint8>(line[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    const CharacterAt character = tables.EucJpAt(line, i);
    if (character.size == 0) {
      ++euc_jp_.invalid;
      ++euc_jp_.unreadable;
      ++i;
      continue;
    }
    if (character.size == 1) {
      euc_jp_.score += kWindows1252Weights[lead];
    } else if (lead == 0x8E) {  // a half-width katakana
      euc_jp_.score +=
          static_cast<quint8>(line[i + 1]) >= 0xA6 ? kEucHalfWidthLetter : kHalfWidthPunctuation;
    } else if (lead == 0xA8 || lead == 0xAD) {
      euc_jp_.score += 2 * kSymbol;  // box drawing, NEC specials
    } else {
      euc_jp_.score += 2 * kText;  // symbols, full-width forms, kana, Greek, Cyrillic, kanji
    }
    i += character.size;
  }
}

void EncodingDetector::ReadWindows1252(QByteArrayView line) {
  for (const char c : line) {
    const qint8 weight = kWindows1252Weights[static_cast<quint8>(c)];
    if (weight >= 0) {
      windows1252_.score += weight;
    } else {
      ++windows1252_.invalid;
      ++windows1252_.unreadable;
    }
  }
}

// The readings are sums over lines, so a line's share can be looked up. Lines that end in a
// two-byte character ("8140=亜" in Shift-JIS or EUC-JP) are most of a large table; pairs that
// hold a half-width katakana add to a set, not a sum, and are read the slow way. A pair's share
// is packed in 32 bits so that the table of the pairs in use stays in the first-level cache: a
// byte for each reading (EUC-JP, Shift-JIS, Windows-1252 from the low end), its score in four
// bits, then two bits each of unreadable and invalid sequences; then a bit for valid UTF-8 and
// one for a share that the table holds.
constexpr int kUtf8Bit = 24;
constexpr int kKnownBit = 25;

const std::vector<quint32>& EncodingDetector::PairReadings() {
  static const std::vector<quint32> pairs = [] {
    std::vector<quint32> table(size_t{0x80} << 8);
    for (int lead = 0x80; lead < 0x100; ++lead) {
      for (int trail = 0; trail < 0x100; ++trail) {
        const std::array<char, 2> pair = {static_cast<char>(lead), static_cast<char>(trail)};
        EncodingDetector alone;
        alone.ReadNonAscii(QByteArrayView(pair.data(), 2));
        if (alone.half_width_letters_ != 0) continue;
        quint32 packed = quint32{1} << kKnownBit;
        if (alone.utf8_lines_ != 0) packed |= quint32{1} << kUtf8Bit;
        int shift = 0;
        for (const Reading* reading : {&alone.euc_jp_, &alone.shift_jis_, &alone.windows1252_}) {
          // A weight too large for its bits leaves the pair to the slow way.
          if (reading->score > 0xF || reading->unreadable > 3 || reading->invalid > 3) packed = 0;
          packed |= static_cast<quint32>(reading->score | reading->unreadable << 4 |
                                         reading->invalid << 6)
                    << shift;
          shift += 8;
        }
        if ((packed >> kKnownBit & 1) != 0)
          table[static_cast<size_t>((lead - 0x80) << 8 | trail)] = packed;
      }
    }
    return table;
  }();
  return pairs;
}

void EncodingDetector::ReadNonAscii(QByteArrayView line) {
  ++non_ascii_lines_;
  ++(IsValidUtf8(line) ? utf8_lines_ : not_utf8_lines_);
  ReadEucJp(line);
  ReadShiftJis(line);
  ReadWindows1252(line);
}

void EncodingDetector::AddLine(QByteArrayView line) {
  const qsizetype first = FirstNonAscii(line);
  if (first == line.size()) return;
  line = line.sliced(first);
  if (line.size() == 2) {
    const auto lead = static_cast<quint8>(line[0]);
    const auto trail = static_cast<quint8>(line[1]);
    if (pairs_ == nullptr) pairs_ = PairReadings().data();
    const quint32 pair = pairs_[(lead - 0x80) << 8 | trail];
    if ((pair >> kKnownBit & 1) != 0) {
      ++non_ascii_lines_;
      ++((pair >> kUtf8Bit & 1) != 0 ? utf8_lines_ : not_utf8_lines_);
      int shift = 0;
      for (Reading* reading : {&euc_jp_, &shift_jis_, &windows1252_}) {
        const quint32 share = pair >> shift;
        reading->score += share & 0xF;
        reading->unreadable += share >> 4 & 3;
        reading->invalid += share >> 6 & 3;
        shift += 8;
      }
      return;
    }
  }
  ReadNonAscii(line);
}

Encoding EncodingDetector::Result() const {
  if (non_ascii_lines_ == 0) return Encoding::kEucJp;
  if (utf8_lines_ > not_utf8_lines_) return Encoding::kUtf8;
  // A syllabary of half-width katakana is Japanese; one or two such bytes are more likely a
  // Latin-1 symbol or letter.
  const auto distinct = std::count(half_width_seen_.begin(), half_width_seen_.end(), true);
  const qint64 shift_jis =
      shift_jis_.Total() +
      half_width_letters_ * (distinct >= kSyllabarySize ? kSyllabaryLetter : 1);
  // In the order that wins a tie.
  const std::array<std::pair<Encoding, qint64>, 3> totals = {
      {{Encoding::kWindows1252, windows1252_.Total()},
       {Encoding::kEucJp, euc_jp_.Total()},
       {Encoding::kShiftJis, shift_jis}}};
  const auto* best = &totals[0];
  for (const auto& total : totals) {
    if (total.second > best->second) best = &total;
  }
  return best->first;
}

bool EncodingDetector::AllValid(Encoding encoding) const {
  switch (encoding) {
    case Encoding::kUtf8:
      return not_utf8_lines_ == 0;
    case Encoding::kEucJp:
      return euc_jp_.invalid == 0;
    case Encoding::kShiftJis:
      return shift_jis_.invalid == 0;
    case Encoding::kWindows1252:
      return windows1252_.invalid == 0;
  }
  return false;
}

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
    case FileForm::kUtf16LeNoBom:
      return QStringLiteral("UTF-16LE without BOM");
    case FileForm::kUtf16BeNoBom:
      return QStringLiteral("UTF-16BE without BOM");
    case FileForm::kPlain:
      break;
  }
  return {};
}

Encoding DetectEncoding(QByteArrayView text) {
  EncodingDetector detector;
  qsizetype start = 0;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
      detector.AddLine(text.sliced(start, i - start));
      start = i + 1;
    }
  }
  return detector.Result();
}

}  // namespace orvane::text
