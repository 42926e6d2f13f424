#include "model/code_index.h"

#include <algorithm>
#include <utility>

namespace orvane::model {
namespace {

bool CodeBefore(const CodeIndex::Entry& entry, const Code& code) { return entry.code < code; }

}  // namespace

void CodeIndex::AddLonger(const Code& code, qsizetype line) {
  if (!longer_.isEmpty() && !(longer_.constLast().code < code)) longer_sorted_ = false;
  longer_.append(Entry{code, line});
}

QList<CodeIndex::Override> CodeIndex::Finish() {
  QList<Override> overrides;
  if (longer_sorted_) return overrides;
  longer_sorted_ = true;
  // Stable: of one code's lines, the last in the file comes last and wins.
  std::stable_sort(longer_.begin(), longer_.end(),
                   [](const Entry& a, const Entry& b) { return a.code < b.code; });
  QList<Entry> defining;
  defining.reserve(longer_.size());
  for (const Entry& entry : longer_) {
    if (!defining.isEmpty() && defining.constLast().code == entry.code) {
      overrides.append(Override{entry.code, defining.constLast().line, entry.line});
      defining.last() = entry;
    } else {
      defining.append(entry);
    }
  }
  longer_ = std::move(defining);
  return overrides;
}

void CodeIndex::ShiftLines(qsizetype from, qsizetype by) {
  if (!two_byte_.isEmpty()) {
    for (qint32& entry : two_byte_) {
      if (entry > from) entry += static_cast<qint32>(by);  // entries hold line + 1
    }
  }
  for (Entry& entry : longer_) {
    if (entry.line >= from) entry.line += by;
  }
}

void CodeIndex::Insert(const Code& code, qsizetype line) {
  ++line_count_;
  const std::optional<qsizetype> defining = DefiningLine(code);
  // An earlier line for the code than its defining one changes nothing it holds.
  if (defining && *defining > line) return;
  if (code.Length() == 2) {
    if (two_byte_.isEmpty()) two_byte_.resize(kTwoByteCodes);
    SetTwoByte(code.Value(), line);
    return;
  }
  const qsizetype at = LongerEntry(code);
  if (defining) {
    longer_[at].line = line;
  } else {
    longer_.insert(at, Entry{code, line});
  }
}

void CodeIndex::Erase(const Code& code, qsizetype line, std::optional<qsizetype> previous) {
  --line_count_;
  if (DefiningLine(code) != line) return;
  if (code.Length() == 2) {
    SetTwoByte(code.Value(), previous.value_or(-1));
    return;
  }
  const qsizetype at = LongerEntry(code);
  if (previous) {
    longer_[at].line = *previous;
  } else {
    longer_.removeAt(at);
  }
}

void CodeIndex::Clear() { *this = CodeIndex(); }

std::optional<qsizetype> CodeIndex::DefiningLine(const Code& code) const {
  if (code.Length() == 2) {
    if (two_byte_.isEmpty() || two_byte_[code.Value()] == 0) return std::nullopt;
    return two_byte_[code.Value()] - 1;
  }
  const qsizetype at = LongerEntry(code);
  if (at == longer_.size() || longer_[at].code != code) return std::nullopt;
  return longer_[at].line;
}

QList<CodeIndex::Entry> CodeIndex::Entries() const {
  QList<Entry> entries;
  entries.reserve(longer_.size() + (two_byte_.isEmpty() ? 0 : 1024));
  qsizetype next = 0;
  for (quint32 lead = 0; lead < 0x100; ++lead) {
    // The two-byte codes of a lead byte come before the longer codes it leads.
    for (quint32 value = lead << 8; !two_byte_.isEmpty() && value < (lead + 1) << 8; ++value) {
      if (two_byte_[value] != 0) entries.append(Entry{*Code::Make(value, 2), two_byte_[value] - 1});
    }
    for (; next < longer_.size() &&
           longer_[next].code.Value() >> (8 * (longer_[next].code.Length() - 1)) == lead;
         ++next) {
      entries.append(longer_[next]);
    }
  }
  return entries;
}

bool CodeIndex::HoldsCodesOf(const Page& page) const {
  if (page.Length() == 1 && !two_byte_.isEmpty()) {
    const auto first = two_byte_.cbegin() + (page.Prefix() << 8);
    if (std::any_of(first, first + 0x100, [](qint32 entry) { return entry != 0; })) return true;
  }
  const qsizetype at = LongerEntry(CodeOnPage(page, 0));
  return at < longer_.size() && longer_[at].code.StartsWith(page);
}

std::optional<CodeIndex::Entry> CodeIndex::NearestLower(const Code& code) const {
  if (code.Length() == 2) {
    for (qint64 value = qint64{code.Value()} - 1; value >= 0 && !two_byte_.isEmpty(); --value) {
      if (two_byte_[value] != 0) {
        return Entry{*Code::Make(static_cast<quint32>(value), 2), two_byte_[value] - 1};
      }
    }
    return std::nullopt;
  }
  for (qsizetype at = LongerEntry(code) - 1; at >= 0; --at) {
    if (longer_[at].code.Length() == code.Length()) return longer_[at];
  }
  return std::nullopt;
}

std::optional<CodeIndex::Entry> CodeIndex::NearestHigher(const Code& code) const {
  if (code.Length() == 2) {
    for (qsizetype value = code.Value() + 1; value < two_byte_.size(); ++value) {
      if (two_byte_[value] != 0) {
        return Entry{*Code::Make(static_cast<quint32>(value), 2), two_byte_[value] - 1};
      }
    }
    return std::nullopt;
  }
  for (qsizetype at = LongerEntry(code); at < longer_.size(); ++at) {
    if (longer_[at].code.Length() == code.Length() && longer_[at].code != code) return longer_[at];
  }
  return std::nullopt;
}

qsizetype CodeIndex::LongerEntry(const Code& code) const {
  return std::lower_bound(longer_.begin(), longer_.end(), code, CodeBefore) - longer_.begin();
}

void CodeIndex::SetTwoByte(quint32 value, qsizetype line) {
  two_byte_[value] = static_cast<qint32>(line + 1);
}

}  // namespace orvane::model
