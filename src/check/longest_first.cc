#include "check/check_parts.h"
#include "model/file_layout.h"
#include "model/table_line.h"

#include <algorithm>

namespace orvane::check {
namespace {

// Unique to each code, whatever its length.
quint64 KeyOf(const model::Code& code) { return code.SortKey(); }

// The byte "<$XX>" at `at` stands for, as a reading shows an unknown byte.
std::optional<char> RawByte(QStringView text, qsizetype at) {
  constexpr qsizetype kSize = 5;
  if (text.size() - at < kSize || text[at] != u'<' || text[at + 1] != u'$' ||
      text[at + 4] != u'>') {
    return std::nullopt;
  }
  bool ok = false;
  const uint value = text.sliced(at + 2, 2).toUInt(&ok, 16);
  if (!ok || text[at + 2].isLower() || text[at + 3].isLower()) return std::nullopt;
  return static_cast<char>(value);
}

}  // namespace

CodeLines::CodeLines(const model::TableDocument& document) {
  const auto& layout = document.Layout();
  if (!layout) return;
  single_ = layout->single_lines;
  for (const model::FileLayout::Line& line : layout->lines) {
    if (!line.IsCode() || line.replaced) continue;
    const model::TableLine read = model::ReadTableLine(layout->LineText(line));
    if (!read.code.IsSingleByte()) longer_.insert(KeyOf(read.code), line.number);
  }
}

qsizetype CodeLines::Of(const model::Code& code) const {
  if (code.IsSingleByte()) return single_[code.Last()];
  return longer_.value(KeyOf(code));
}

QList<qsizetype> CodeLines::Of(const QList<model::Code>& codes) const {
  QList<qsizetype> numbers;
  for (const model::Code& code : codes) {
    if (const qsizetype number = Of(code); number > 0) numbers.append(number);
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

LongestFirst::LongestFirst(const data::CodeLookup& lookup) {
  lookup.ForEach([this](const data::CodeReading& reading) {
    if (!reading.shown.isEmpty()) texts_[reading.shown].append(reading.code);
  });
  for (auto at = texts_.begin(); at != texts_.end(); ++at) {
    // As the encoder prefers them: fewest bytes, then first in byte order.
    std::sort(at.value().begin(), at.value().end(), [](const model::Code& a, const model::Code& b) {
      return a.Length() != b.Length() ? a.Length() < b.Length() : a < b;
    });
    by_first_[at.key()[0].unicode()].push_back(Entry{at.key(), at.value().front()});
  }
  for (auto at = by_first_.begin(); at != by_first_.end(); ++at) {
    std::sort(at.value().begin(), at.value().end(), [](const Entry& a, const Entry& b) {
      return a.text.size() != b.text.size() ? a.text.size() > b.text.size() : a.text < b.text;
    });
  }
}

std::optional<model::Code> LongestFirst::Preferred(const QString& text) const {
  const auto found = texts_.constFind(text);
  if (found == texts_.cend()) return std::nullopt;
  return found->front();
}

LongestFirst::Written LongestFirst::Write(QStringView text) const {
  Written written;
  for (qsizetype at = 0; at < text.size();) {
    const Entry* best = nullptr;
    if (const auto bucket = by_first_.constFind(text[at].unicode()); bucket != by_first_.cend()) {
      const QStringView rest = text.sliced(at);
      for (const Entry& entry : *bucket) {
        if (rest.startsWith(entry.text)) {
          best = &entry;
          break;
        }
      }
    }
    constexpr qsizetype kRawSize = 5;
    if (best == nullptr || best->text.size() < kRawSize) {
      if (const auto raw = RawByte(text, at)) {
        written.bytes.append(*raw);
        at += kRawSize;
        continue;
      }
    }
    if (best == nullptr) {
      written.stuck_at = at;
      return written;
    }
    written.bytes.append(best->code.Bytes());
    written.codes.append(best->code);
    at += best->text.size();
  }
  return written;
}

QString Quoted(const QString& text) {
  if (!text.isEmpty() && !text.front().isSpace() && !text.back().isSpace()) return text;
  return u'\'' + text + u'\'';
}

QString CodeNames(const QList<model::Code>& codes) {
  QStringList names;
  for (const model::Code& code : codes) names << QString::fromLatin1(code.Hex());
  if (names.size() < 2) return names.join(QString());
  const QString last = names.takeLast();
  return names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

}  // namespace orvane::check
