#include "data/relative_search.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace orvane::data {
namespace {

using Bases = std::array<qint32, kMaxRuns>;

// How a value is read from the data.
struct Byte {
  static constexpr int kBytes = 1;
  static constexpr quint32 kMask = 0xFF;
  static quint32 At(const char* p) { return static_cast<quint8>(p[0]); }
};
struct BigEndian16 {
  static constexpr int kBytes = 2;
  static constexpr quint32 kMask = 0xFFFF;
  static quint32 At(const char* p) {
    return static_cast<quint32>(static_cast<quint8>(p[0]) << 8 | static_cast<quint8>(p[1]));
  }
};
struct LittleEndian16 {
  static constexpr int kBytes = 2;
  static constexpr quint32 kMask = 0xFFFF;
  static quint32 At(const char* p) {
    return static_cast<quint32>(static_cast<quint8>(p[0]) | static_cast<quint8>(p[1]) << 8);
  }
};

// Data in memory: `size` bytes of the source from `start`.
struct Block {
  const char* data = nullptr;
  qint64 start = 0;
  qint64 size = 0;
};

// The word made into tests on values: one difference tried at every offset, cheap and rarely
// true, and the whole word only where it holds.
class Matcher {
 public:
  explicit Matcher(const Query& query);

  // Bytes from a hit's offset to the end of its last value.
  [[nodiscard]] qint64 Span() const { return span_; }
  // The runs' bases when the word is at `at`, or nothing.
  template <typename Value>
  [[nodiscard]] std::optional<Bases> Match(const char* at) const;
  template <typename Value>
  void Scan(const Block& block, qint64 from, qint64 last, const auto& add) const;

 private:
  [[nodiscard]] bool InRun(qint64 value, const Bases& bases, size_t run) const {
    return value >= bases[run] && value < bases[run] + lengths_[run];
  }
  template <typename Value>
  [[nodiscard]] bool OutsideSymbolsFit(const char* at, const Bases& bases) const;

  // A value of the word and the run symbol it must be: each run's first such value gives the
  // run's base, the others must agree with it.
  struct RunValue {
    size_t at = 0;  // in values from the hit
    size_t run = 0;
    qint32 index = 0;
  };

  const Query& query_;
  std::array<RunValue, kMaxRuns> firsts_{};
  std::vector<RunValue> others_;
  bool has_outside_ = false;
  std::array<qint32, kMaxRuns> lengths_{};
  qint64 span_ = 0;
  qint32 max_ = 0;
  // The first difference tested: the value of slot `other_` minus that of slot `anchor_`.
  qsizetype anchor_ = 0;
  qsizetype other_ = 0;
  qint32 delta_ = 0;
};

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
  const auto count = static_cast<qsizetype>(query.pattern.size());
  span_ = count * ValueBytes(query.values);
  max_ = static_cast<qint32>(MaxValue(query.values));
  for (qsizetype a = 0; a < count; ++a) {
    for (qsizetype b = a + 1; b < count; ++b) {
      const Slot& first = query.pattern[static_cast<size_t>(a)];
      const Slot& second = query.pattern[static_cast<size_t>(b)];
      if (first.kind != Slot::Kind::kRun || second.kind != Slot::Kind::kRun ||
          first.run != second.run || first.index == second.index) {
        continue;
      }
      anchor_ = a;
      other_ = b;
      delta_ = second.index - first.index;
      return;
    }
  }
}

template <typename Value>
std::optional<Bases> Matcher::Match(const char* at) const {
  const auto base_of = [at](const RunValue& value) {
    return static_cast<qint32>(Value::At(at + value.at * Value::kBytes)) - value.index;
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
bool Matcher::OutsideSymbolsFit(const char* at, const Bases& bases) const {
  const auto& pattern = query_.pattern;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i].kind != Slot::Kind::kOutside) continue;
    const quint32 value = Value::At(at + i * Value::kBytes);
    for (size_t run = 0; run < query_.runs.size(); ++run) {
      if (InRun(value, bases, run)) return false;
    }
    for (size_t j = 0; j < i; ++j) {
      if (pattern[j].kind == Slot::Kind::kOutside && pattern[j].symbol == pattern[i].symbol &&
          Value::At(at + j * Value::kBytes) != value) {
        return false;
      }
    }
  }
  return true;
}

template <typename Value>
void Matcher::Scan(const Block& block, qint64 from, qint64 last, const auto& add) const {
  const qsizetype anchor = anchor_ * Value::kBytes;
  const qsizetype other = other_ * Value::kBytes;
  const quint32 delta = static_cast<quint32>(delta_) & Value::kMask;
  const char* const end = block.data + (last - block.start);
  for (const char* at = block.data + (from - block.start); at <= end; ++at) {
    if (((Value::At(at + other) - Value::At(at + anchor)) & Value::kMask) != delta) continue;
    if (const auto bases = Match<Value>(at)) add(block.start + (at - block.data), *bases);
  }
}

// Gathers hits into candidates, keeping what the bounds allow. A word of one run finds its
// candidate by its base in a flat index, so that a hit costs the same however many there are.
class Collector {
 public:
  Collector(const Query& query, qint64 span, qint64 context);

  void Add(qint64 offset, const Bases& bases, const Block& block);
  [[nodiscard]] SearchResult& Result() { return result_; }

 private:
  [[nodiscard]] static quint64 Key(const Bases& bases) {
    return quint64{static_cast<quint32>(bases[0])} << 32 | static_cast<quint32>(bases[1]);
  }
  [[nodiscard]] qint32 Find(const Bases& bases) const;
  void Remember(const Bases& bases, qint32 index);

  qint64 span_;
  qint64 context_;
  bool one_run_;
  std::vector<qint32> by_base_;  // one run: the candidate of each base, or -1
  std::unordered_map<quint64, qint32> by_bases_;
  qint64 kept_ = 0;
  SearchResult result_;
};

Collector::Collector(const Query& query, qint64 span, qint64 context)
    : span_(span), context_(context), one_run_(query.runs.size() == 1) {
  if (one_run_) by_base_.assign(MaxValue(query.values) + 1, -1);
}

qint32 Collector::Find(const Bases& bases) const {
  if (one_run_) return by_base_[static_cast<size_t>(bases[0])];
  const auto found = by_bases_.find(Key(bases));
  return found == by_bases_.end() ? -1 : found->second;
}

void Collector::Remember(const Bases& bases, qint32 index) {
  if (one_run_) {
    by_base_[static_cast<size_t>(bases[0])] = index;
  } else {
    by_bases_.emplace(Key(bases), index);
  }
}

void Collector::Add(qint64 offset, const Bases& bases, const Block& block) {
  qint32 index = Find(bases);
  if (index < 0) {
    if (static_cast<qsizetype>(result_.candidates.size()) >= kMaxCandidates) {
      ++result_.uncounted_hits;
      return;
    }
    index = static_cast<qint32>(result_.candidates.size());
    Remember(bases, index);
    Candidate& candidate = result_.candidates.emplace_back();
    candidate.bases = bases;
    candidate.context_start = std::max(block.start, offset - context_);
    const qint64 end = std::min(block.start + block.size, offset + span_ + context_);
    candidate.context = QByteArray(block.data + (candidate.context_start - block.start),
                                   end - candidate.context_start);
  }
  Candidate& candidate = result_.candidates[static_cast<size_t>(index)];
  ++candidate.hits;
  if (candidate.offsets.empty() ||
      (candidate.offsets.size() < size_t{kKeptOffsets} && kept_ < kMaxKeptOffsetsInAll)) {
    candidate.offsets.push_back(offset);
    ++kept_;
  }
}

// Fills `buffer` (the source's bytes from `start`) up to `end`; false with the reason when the
// source cannot give them.
bool ReadUpTo(DataSource& source, std::vector<char>& buffer, qint64 start, qint64 end,
              QString& error) {
  auto filled = static_cast<qint64>(buffer.size());
  buffer.resize(static_cast<size_t>(end - start));
  while (start + filled < end) {
    const qint64 got = source.Read(start + filled, buffer.data() + filled, end - start - filled);
    if (got < 0) {
      error = QStringLiteral("The data could not be read: %1").arg(source.ErrorString());
      return false;
    }
    if (got == 0) {
      error = QStringLiteral("The data ended early: it changed while it was searched.");
      return false;
    }
    filled += got;
  }
  return true;
}

void ScanBlock(const Matcher& matcher, ValueSize values, const Block& block, qint64 from,
               qint64 last, Collector& collector) {
  const auto add = [&](qint64 offset, const Bases& bases) { collector.Add(offset, bases, block); };
  switch (values) {
    case ValueSize::k8:
      return matcher.Scan<Byte>(block, from, last, add);
    case ValueSize::k16Be:
      return matcher.Scan<BigEndian16>(block, from, last, add);
    case ValueSize::k16Le:
      return matcher.Scan<LittleEndian16>(block, from, last, add);
  }
}

}  // namespace

SearchResult Search(const Query& query, DataSource& source, const std::stop_token& stop,
                    const Progress& progress) {
  const Matcher matcher(query);
  const qint64 span = matcher.Span();
  const qint64 size = source.Size();
  if (size < span) {
    SearchResult shorter;
    shorter.error = QStringLiteral("The data (%1 %2) is shorter than the word (%3 bytes).")
                        .arg(size)
                        .arg(size == 1 ? QStringLiteral("byte") : QStringLiteral("bytes"))
                        .arg(span);
    return shorter;
  }
  const qint64 context = qint64{kContextValues} * ValueBytes(query.values);
  Collector collector(query, span, context);
  SearchResult& result = collector.Result();
  std::vector<char> buffer;
  qint64 buffer_start = 0;
  for (qint64 next = 0; next <= size - span;) {
    if (stop.stop_requested()) {
      result.cancelled = true;
      break;
    }
    // Keep only what the offsets still to test, and their context, need; then read a block.
    const qint64 keep_from = std::max(buffer_start, next - context);
    buffer.erase(buffer.begin(), buffer.begin() + (keep_from - buffer_start));
    buffer_start = keep_from;
    const qint64 end =
        std::min(size, buffer_start + static_cast<qint64>(buffer.size()) + kSearchBlock);
    if (!ReadUpTo(source, buffer, buffer_start, end, result.error)) break;
    // Before the end, an offset waits for the next block until its context after it is in.
    const qint64 last = end == size ? size - span : end - span - context;
    ScanBlock(matcher, query.values, Block{buffer.data(), buffer_start, end - buffer_start}, next,
              last, collector);
    next = last + 1;
    if (progress) progress(end, size);
  }
  return std::move(result);
}

}  // namespace orvane::data
