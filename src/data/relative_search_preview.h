#pragma once

#include "data/code_lookup.h"
#include "data/relative_search.h"

#include <QString>

#include <optional>

namespace orvane::data {

// The symbol the candidate puts at a value, or nothing.
[[nodiscard]] std::optional<char16_t> CandidateSymbol(const Query& query,
                                                      const Candidate& candidate, qint64 value);

// The table with every symbol of the candidate's runs at its value, in place of what the table
// holds there: the table as it would be once the candidate is applied.
[[nodiscard]] CodeLookup WithCandidate(const CodeLookup& lookup, const Query& query,
                                       const Candidate& candidate);

// At most this many characters of the preview come before the hit, so that the word is in
// sight; a byte that starts no code counts as one.
inline constexpr int kPreviewLead = 8;

// The data around the candidate's first hit read through the table with the candidate's symbols
// added, at the hit's alignment and by whole values: a 16-bit value that starts no code reads as
// both its bytes.
[[nodiscard]] QString PreviewLine(const Query& query, const Candidate& candidate,
                                  const CodeLookup& lookup);

}  // namespace orvane::data
