#include "data/relative_search_rank.h"

#include "data/relative_search_preview.h"

#include <algorithm>
#include <tuple>

namespace orvane::data {
namespace {

// A code of the table that holds a value of the searched size.
struct Known {
  quint32 value = 0;
  model::Code code;
  QString text;
  bool control = false;  // stands for no symbol, whatever its label
};

// What the table says of the searched values: every code of that size, by value, and those
// whose text is a symbol of the query's runs.
struct TableFacts {
  std::vector<Known> by_value;
  std::vector<std::pair<Known, std::pair<size_t, int>>> symbols;  // with run and index
};

TableFacts FactsOf(const Query& query, const CodeLookup& table) {
  TableFacts facts;
  const int unit = ValueBytes(query.values);
  table.ForEach([&](const CodeReading& reading) {
    const model::Code& code = reading.code;
    if (code.Length() != unit) return;
    const QString text = reading.control ? reading.shown : OneLineText(reading);
    const Known known{ValueOfCode(code, query.values), code, text, reading.control};
    facts.by_value.push_back(known);
    if (reading.control || text.size() != 1) return;
    for (size_t run = 0; run < query.runs.size(); ++run) {
      if (const auto index = IndexInRun(query.runs[run], text[0].unicode())) {
        facts.symbols.emplace_back(known, std::pair(run, *index));
      }
    }
  });
  std::sort(facts.by_value.begin(), facts.by_value.end(),
            [](const Known& a, const Known& b) { return a.value < b.value; });
  return facts;
}

RankedCandidate Judge(const Query& query, Candidate candidate, const TableFacts& facts) {
  RankedCandidate ranked;
  std::vector<const Known*> against;
  int agreements = 0;
  // The codes the candidate would write: the table's text there must be the same symbol.
  for (size_t run = 0; run < query.runs.size(); ++run) {
    const qint64 base = candidate.bases[run];
    const qint64 end = base + RunLength(query.runs[run]);
    auto known = std::lower_bound(facts.by_value.begin(), facts.by_value.end(), base,
                                  [](const Known& k, qint64 value) { return k.value < value; });
    for (; known != facts.by_value.end() && known->value < end; ++known) {
      const auto symbol = RunSymbol(query.runs[run], static_cast<int>(known->value - base));
      if (!known->control && known->text == QChar(symbol)) {
        ++agreements;
      } else {
        against.push_back(&*known);
      }
    }
  }
  // The table's symbols of the runs: each must stand where the candidate puts it.
  for (const auto& [known, place] : facts.symbols) {
    const qint64 expected = candidate.bases[place.first] + place.second;
    if (known.value != expected && !CandidateSymbol(query, candidate, known.value)) {
      against.push_back(&known);
    }
  }
  std::sort(against.begin(), against.end(),
            [](const Known* a, const Known* b) { return a->code < b->code; });
  for (const Known* known : against) {
    const QString code = QString::fromLatin1(known->code.Hex());
    ranked.contradictions.append(
        known->control ? QStringLiteral("%1 is the control code %2").arg(code, known->text)
                       : QStringLiteral("%1 is %2 in the table").arg(code, known->text));
  }
  ranked.verdict = !against.empty() ? RankedCandidate::Verdict::kContradicts
                   : agreements > 0 ? RankedCandidate::Verdict::kAgrees
                                    : RankedCandidate::Verdict::kSilent;
  ranked.candidate = std::move(candidate);
  return ranked;
}

}  // namespace

std::vector<RankedCandidate> Rank(const Query& query, std::vector<Candidate> candidates,
                                  const CodeLookup& table) {
  const TableFacts facts = FactsOf(query, table);
  std::vector<RankedCandidate> ranked;
  ranked.reserve(candidates.size());
  for (Candidate& candidate : candidates) {
    ranked.push_back(Judge(query, std::move(candidate), facts));
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const RankedCandidate& a, const RankedCandidate& b) {
                     return std::tuple(a.verdict, -a.candidate.hits, a.candidate.FirstHit()) <
                            std::tuple(b.verdict, -b.candidate.hits, b.candidate.FirstHit());
                   });
  return ranked;
}

QString CandidateValues(const Query& query, const Candidate& candidate) {
  const int digits = 2 * ValueBytes(query.values);
  QStringList values;
  for (size_t run = 0; run < query.runs.size(); ++run) {
    values.append(QStringLiteral("%1=%2").arg(QChar(RunSymbol(query.runs[run], 0)),
                                              QString::number(candidate.bases[run], 16)
                                                  .rightJustified(digits, QLatin1Char('0'))
                                                  .toUpper()));
  }
  return values.join(QLatin1Char(' '));
}

}  // namespace orvane::data
