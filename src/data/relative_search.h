#pragma once

#include "data/data_source.h"
#include "data/job.h"
#include "data/relative_search_query.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <stop_token>
#include <vector>

namespace orvane::data {

// Each candidate keeps the offsets of its first hits and counts the rest; the number of
// candidates and of offsets kept is bounded, so that neither time nor memory grows with hits.
inline constexpr int kKeptOffsets = 1000;
inline constexpr qsizetype kMaxCandidates = 65536;
inline constexpr qint64 kMaxKeptOffsetsInAll = 1'000'000;
// How much is read at once, and so how long a Cancel waits at most.
inline constexpr qint64 kSearchBlock = qint64{1} << 20;
// The values kept on either side of a candidate's first hit, for its preview.
inline constexpr int kContextValues = 8;

// The hits that agree on where each run's first symbol is (where A, a or あ would be).
struct Candidate {
  std::array<qint32, kMaxRuns> bases{};  // by Query::runs; the others are 0
  qint64 hits = 0;
  std::vector<qint64> offsets;  // the first hits, in data order; never empty
  // The data around the first hit, from `context_start`.
  qint64 context_start = 0;
  QByteArray context;

  [[nodiscard]] qint64 FirstHit() const { return offsets.front(); }
};

struct SearchResult {
  std::vector<Candidate> candidates;  // in the order first found
  qint64 uncounted_hits = 0;          // of candidates found past kMaxCandidates
  bool cancelled = false;
  QString error;  // the data could not be read, or is shorter than the word
};

// Every offset where the data holds values whose differences, run by run, are those of the
// word's symbols, and where each run fits in the value range whole; values at every byte offset,
// so 16-bit values are found at either alignment. Reads in blocks of `block_size` and stops
// after the block in hand once `stop` is requested; `progress` follows the bytes read.
[[nodiscard]] SearchResult Search(const Query& query, DataSource& source,
                                  const std::stop_token& stop, const Progress& progress = {},
                                  qint64 block_size = kSearchBlock);

// A word searched as it was typed, with the order chosen or none. Without an order, a word of
// lower-case letters that is no hit as letters is tried in turn as romaji in the kana orders,
// and `romaji` names the order that found it. `query` is the query of the result, or nothing
// when the word cannot be searched (the result's error says why).
struct WordSearch {
  std::optional<Query> query;
  std::optional<Order> romaji;
  SearchResult result;
};
[[nodiscard]] WordSearch SearchWord(QStringView word, std::optional<Order> order, ValueSize values,
                                    DataSource& source, const std::stop_token& stop,
                                    const Progress& progress = {},
                                    qint64 block_size = kSearchBlock);

}  // namespace orvane::data
