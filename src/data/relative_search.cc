#include "data/relative_search.h"

#include "data/block_reader.h"
#include "data/relative_search_matcher.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace orvane::data {
namespace {

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

void ScanBlock(const Matcher& matcher, ValueSize values, const Block& block, qint64 from,
               qint64 last, Collector& collector) {
  const auto add = [&](qint64 offset, const Bases& bases) { collector.Add(offset, bases, block); };
  switch (values) {
    case ValueSize::k8:
      return matcher.Scan<ByteValue>(block, from, last, add);
    case ValueSize::k16Be:
      return matcher.Scan<BigEndian16Value>(block, from, last, add);
    case ValueSize::k16Le:
      return matcher.Scan<LittleEndian16Value>(block, from, last, add);
  }
}

bool LowerCaseLetters(QStringView word) {
  return !word.isEmpty() &&
         std::all_of(word.begin(), word.end(), [](QChar c) { return c >= u'a' && c <= u'z'; });
}

QString EndError(const ScanEnd& ended) {
  switch (ended.status) {
    case ScanEnd::Status::kEndedEarly:
      return QStringLiteral("The data ended early: it changed while it was searched.");
    case ScanEnd::Status::kFailed:
      return QStringLiteral("The data could not be read: %1").arg(ended.error);
    case ScanEnd::Status::kDone:
    case ScanEnd::Status::kStopped:
      break;
  }
  return {};
}

}  // namespace

SearchResult Search(const Query& query, DataSource& source, const std::stop_token& stop,
                    const Progress& progress, qint64 block_size) {
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
  // A block holds again what the offsets still to test need before them, with their context.
  BlockReader blocks(&source, block_size, span + 2 * context - 1);
  qint64 next = 0;
  const ScanEnd ended = blocks.Scan(0, size, stop, [&](const Block& block) {
    // Before the end, an offset waits for the next block until its context after it is in.
    const qint64 last = block.last ? block.End() - span : block.End() - span - context;
    if (last >= next) {
      ScanBlock(matcher, query.values, block, next, last, collector);
      next = last + 1;
    }
    if (progress) progress(block.End(), size);
  });
  SearchResult& result = collector.Result();
  result.cancelled = ended.status == ScanEnd::Status::kStopped;
  result.error = EndError(ended);
  return std::move(result);
}

WordSearch SearchWord(QStringView word, std::optional<Order> order, ValueSize values,
                      DataSource& source, const std::stop_token& stop, const Progress& progress,
                      qint64 block_size) {
  WordSearch found;
  QueryOrError made = MakeQuery(word, order, values);
  if (!made.query) {
    found.result.error = made.error;
    return found;
  }
  found.query = std::move(made.query);
  found.result = Search(*found.query, source, stop, progress, block_size);
  const SearchResult& letters = found.result;
  if (order || !letters.candidates.empty() || letters.cancelled || !letters.error.isEmpty() ||
      !LowerCaseLetters(word)) {
    return found;
  }
  for (const Order kana :
       {Order::kHiragana, Order::kKatakana, Order::kHiraganaJis, Order::kKatakanaJis}) {
    QueryOrError romaji = MakeQuery(word, kana, values);
    if (!romaji.query) continue;
    SearchResult result = Search(*romaji.query, source, stop, progress, block_size);
    if (result.cancelled || !result.error.isEmpty()) {
      found.result = std::move(result);
      return found;
    }
    if (!result.candidates.empty())
      return WordSearch{std::move(romaji.query), kana, std::move(result)};
  }
  return found;
}

}  // namespace orvane::data
