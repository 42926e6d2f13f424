#include "data/relative_search_matcher.h"

namespace orvane::data {

Matcher::Matcher(const Query& query) : query_(query) {
  std::array<bool, kMaxRuns> seen{};
  for (size_t at = 0; at < query.pattern.size(); ++at) {
    const Slot& slot = query.pattern[at];
    has_outside_ = has_outside_ || slot.kind == Slot::Kind::kOutside;
    if (slot.kind != Slot::Kind::kRun) continue;
    const auto run = static_cast<size_t>(slot.run);
    (seen[run] ? others_.emplace_back() : firsts_[run]) = RunValue{at, run, slot.index};
    seen[run] = true;
  }
  for (size_t run = 0; run < query.runs.size(); ++run) lengths_[run] = RunLength(query.runs[run]);
  span_ = static_cast<qint64>(query.pattern.size()) * ValueBytes(query.values);
  max_ = static_cast<qint32>(MaxValue(query.values));
  ChooseDifferences();
}

// Two differences of symbols of one run, the second with a value of its own, so that random
// data passes both as rarely as two independent values match; a word with one difference tests
// it twice.
void Matcher::ChooseDifferences() {
  const auto& pattern = query_.pattern;
  const auto bytes = static_cast<qsizetype>(ValueBytes(query_.values));
  for (size_t a = 0; a < pattern.size() && difference_count_ < 2; ++a) {
    for (size_t b = a + 1; b < pattern.size() && difference_count_ < 2; ++b) {
      const Slot& first = pattern[a];
      const Slot& second = pattern[b];
      if (first.kind != Slot::Kind::kRun || second.kind != Slot::Kind::kRun ||
          first.run != second.run || first.index == second.index) {
        continue;
      }
      const auto at_b = static_cast<qsizetype>(b) * bytes;
      if (difference_count_ == 1 && differences_[0].second == at_b) continue;
      differences_[static_cast<size_t>(difference_count_++)] =
          Difference{static_cast<qsizetype>(a) * bytes, at_b,
                     static_cast<quint32>(second.index - first.index)};
    }
  }
}

template <typename Value>
std::optional<Bases> Matcher::Match(const quint8* at) const {
  const auto base_of = [at](const RunValue& value) {
    return static_cast<qint32>(Value::At(at + value.at * ValueBytes(Value::kSize))) - value.index;
  };
  Bases bases{};
  for (size_t run = 0; run < query_.runs.size(); ++run) bases[run] = base_of(firsts_[run]);
  for (const RunValue& other : others_) {
    if (base_of(other) != bases[other.run]) return std::nullopt;
  }
  // Every symbol of a run must have a value, and no value can stand for two symbols.
  for (size_t run = 0; run < query_.runs.size(); ++run) {
    if (bases[run] < 0 || bases[run] + lengths_[run] - 1 > max_) return std::nullopt;
  }
  if (query_.runs.size() == 2 && InRun(bases[1], bases, 0)) return std::nullopt;
  if (query_.runs.size() == 2 && InRun(bases[0], bases, 1)) return std::nullopt;
  if (has_outside_ && !OutsideSymbolsFit<Value>(at, bases)) return std::nullopt;
  return bases;
}

// A symbol outside the runs is none of their values, and is the same value wherever it
// stands in the word.
template <typename Value>
bool Matcher::OutsideSymbolsFit(const quint8* at, const Bases& bases) const {
  const auto& pattern = query_.pattern;
  constexpr size_t kBytes = ValueBytes(Value::kSize);
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i].kind != Slot::Kind::kOutside) continue;
    const quint32 value = Value::At(at + i * kBytes);
    for (size_t run = 0; run < query_.runs.size(); ++run) {
      if (InRun(value, bases, run)) return false;
    }
    for (size_t j = 0; j < i; ++j) {
      if (pattern[j].kind == Slot::Kind::kOutside && pattern[j].symbol == pattern[i].symbol &&
          Value::At(at + j * kBytes) != value) {
        return false;
      }
    }
  }
  return true;
}

template std::optional<Bases> Matcher::Match<ByteValue>(const quint8*) const;
template std::optional<Bases> Matcher::Match<BigEndian16Value>(const quint8*) const;
template std::optional<Bases> Matcher::Match<LittleEndian16Value>(const quint8*) const;

}  // namespace orvane::data
