#pragma once

#include "data/code_lookup.h"
#include "data/relative_search.h"

#include <QStringList>

#include <vector>

namespace orvane::data {

// A candidate as the list shows it, with what the table already says of it.
struct RankedCandidate {
  enum class Verdict : quint8 { kAgrees, kSilent, kContradicts };

  Candidate candidate;
  // Agrees: the table holds some of its symbols at its values, and none elsewhere. Contradicts:
  // the table holds one of its symbols at another value of that size, or another text or a
  // control code at a value it would write.
  Verdict verdict = Verdict::kSilent;
  // "41 is A in the table", "C9 is the control code <pause=>", in code order
  QStringList contradictions;
};

// Best first: agreeing with the table, then silent, then contradicting it; within each, more
// hits first, then the earlier first hit.
[[nodiscard]] std::vector<RankedCandidate> Rank(const Query& query,
                                                std::vector<Candidate> candidates,
                                                const CodeLookup& table);

// Each run's first symbol at its value, in 2 or 4 hex digits: "A=41", "あ=0120", "A=41 a=61".
[[nodiscard]] QString CandidateValues(const Query& query, const Candidate& candidate);

}  // namespace orvane::data
