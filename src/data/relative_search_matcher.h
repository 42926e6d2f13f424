#pragma once

#include "data/block_reader.h"
#include "data/relative_search_query.h"

#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace orvane::data {

using Bases = std::array<qint32, kMaxRuns>;

// The word made into tests on values. A first pass over a run of offsets only marks where one or
// two differences of the word's values hold, in a loop without branches that the compiler turns
// into vector instructions; the whole word is then tried only at the rare marks.
class Matcher {
 public:
  explicit Matcher(const Query& query);

  // Bytes from a hit's offset to the end of its last value.
  [[nodiscard]] qint64 Span() const { return span_; }
  // Hands `add` (offset, bases) for each hit at the offsets `from` .. `last` of the block, which
  // holds every byte they need.
  template <typename Value, typename Add>
  void Scan(const Block& block, qint64 from, qint64 last, const Add& add) const;

 private:
  // The value `second` bytes from an offset minus the one `first` bytes from it.
  struct Difference {
    qsizetype first = 0;
    qsizetype second = 0;
    quint32 delta = 0;
  };
  // A value of the word and the run symbol it must be: each run's first such value gives the
  // run's base, the others must agree with it.
  struct RunValue {
    size_t at = 0;  // in values from the hit
    size_t run = 0;
    qint32 index = 0;
  };
  static constexpr qsizetype kChunk = 4096;

  void ChooseDifferences();
  template <typename Value>
  void Mark(const quint8* at, qsizetype count, quint8* marks) const;
  template <typename Value>
  [[nodiscard]] std::optional<Bases> Match(const quint8* at) const;
  template <typename Value>
  [[nodiscard]] bool OutsideSymbolsFit(const quint8* at, const Bases& bases) const;
  [[nodiscard]] bool InRun(qint64 value, const Bases& bases, size_t run) const {
    return value >= bases[run] && value < bases[run] + lengths_[run];
  }

  const Query& query_;
  std::array<RunValue, kMaxRuns> firsts_{};
  std::vector<RunValue> others_;
  bool has_outside_ = false;
  std::array<qint32, kMaxRuns> lengths_{};
  qint64 span_ = 0;
  qint32 max_ = 0;
  std::array<Difference, 2> differences_{};
  int difference_count_ = 0;
};

// Whether the difference of the values at `first` and `second` from `p` is `delta`, byte by
// byte: the low bytes' difference, then the high bytes' less the low one's borrow. In bytes the
// compiler keeps sixteen offsets to a vector instruction.
template <typename Value>
quint8 DifferenceHolds(const quint8* p, qsizetype first, qsizetype second, quint32 delta) {
  const quint8 low_a = p[first + Value::kLow];
  const quint8 low_b = p[second + Value::kLow];
  const bool low = static_cast<quint8>(low_b - low_a) == static_cast<quint8>(delta);
  if constexpr (ValueBytes(Value::kSize) == 1) {
    return static_cast<quint8>(low);
  } else {
    const quint8 high_a = p[first + Value::kHigh];
    const quint8 high_b = p[second + Value::kHigh];
    const auto high = static_cast<quint8>(high_b - high_a - (low_b < low_a ? 1 : 0));
    return static_cast<quint8>(low & (high == static_cast<quint8>(delta >> 8)));
  }
}

template <typename Value>
void Matcher::Mark(const quint8* at, qsizetype count, quint8* marks) const {
  const Difference one = differences_[0];
  const Difference two = differences_[difference_count_ - 1];
  const quint8* __restrict data = at;
  quint8* __restrict out = marks;
  for (qsizetype i = 0; i < count; ++i) {
    out[i] = DifferenceHolds<Value>(data + i, one.first, one.second, one.delta) &
             DifferenceHolds<Value>(data + i, two.first, two.second, two.delta);
  }
}

template <typename Value, typename Add>
void Matcher::Scan(const Block& block, qint64 from, qint64 last, const Add& add) const {
  const auto* data = reinterpret_cast<const quint8*>(block.data);
  std::array<quint8, kChunk> marks;
  for (qint64 chunk = from; chunk <= last; chunk += kChunk) {
    const qsizetype count = std::min<qint64>(kChunk, last - chunk + 1);
    const quint8* at = data + (chunk - block.start);
    Mark<Value>(at, count, marks.data());
    for (qsizetype i = 0; i < count; ++i) {
      const void* mark = std::memchr(marks.data() + i, 1, static_cast<size_t>(count - i));
      if (mark == nullptr) break;
      i = static_cast<const quint8*>(mark) - marks.data();
      if (const auto bases = Match<Value>(at + i)) add(chunk + i, *bases);
    }
  }
}

}  // namespace orvane::data
