#pragma once

#include "data/relative_search_runs.h"
#include "data/values.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace orvane::data {

inline constexpr int kMaxWordLength = 64;
inline constexpr int kMaxRuns = 2;

// One symbol of a word: a symbol of one of the query's runs, "*" (any value), or a symbol
// outside the runs (any value that none of the runs' symbols holds).
struct Slot {
  enum class Kind : quint8 { kRun, kAny, kOutside };
  Kind kind = Kind::kAny;
  int run = 0;    // kRun: the run's place in Query::runs
  int index = 0;  // kRun: the symbol's place in its run
  char32_t symbol = 0;
};

// A word made ready to search: its symbols and the runs they belong to, at most kMaxRuns, each
// searched on its own, so that a game may keep upper and lower case, or pure and impure kana,
// apart.
struct Query {
  QString word;  // the symbols searched, romaji read as kana
  ValueSize values = ValueSize::k8;
  std::vector<Run> runs;
  std::vector<Slot> pattern;
};

struct QueryOrError {
  std::optional<Query> query;
  QString error;  // why the word cannot be searched
};

// Without an order, the word's characters choose it: kana the fill order of their script,
// letters upper and lower case, else digits. With a kana order, letters are romaji, read with
// the editor's romaji tables, longest syllable first.
[[nodiscard]] QueryOrError MakeQuery(QStringView word, std::optional<Order> order,
                                     ValueSize values);

}  // namespace orvane::data
