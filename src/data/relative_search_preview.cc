#include "data/relative_search_preview.h"

#include "data/string_reader.h"

namespace orvane::data {

std::optional<char16_t> CandidateSymbol(const Query& query, const Candidate& candidate,
                                        qint64 value) {
  for (size_t run = 0; run < query.runs.size(); ++run) {
    const qint64 index = value - candidate.bases[run];
    if (index >= 0 && index < RunLength(query.runs[run])) {
      return RunSymbol(query.runs[run], static_cast<int>(index));
    }
  }
  return std::nullopt;
}

CodeLookup WithCandidate(const CodeLookup& lookup, const Query& query, const Candidate& candidate) {
  CodeLookup::Editor editor(lookup);
  for (size_t run = 0; run < query.runs.size(); ++run) {
    for (int index = 0; index < RunLength(query.runs[run]); ++index) {
      const auto value = static_cast<quint32>(candidate.bases[run] + index);
      const model::Code code = CodeOfValue(value, query.values);
      editor.Set(code, TextReading(code, QString(QChar(RunSymbol(query.runs[run], index)))));
    }
  }
  return std::move(editor).Done();
}

QString PreviewLine(const Query& query, const Candidate& candidate, const CodeLookup& lookup) {
  const int unit = ValueBytes(query.values);
  const qint64 hit = candidate.FirstHit();
  // Start in step with the hit: 16-bit values are read at its alignment.
  const qsizetype aligned = (hit - candidate.context_start) % unit;
  const CodeLookup letters = WithCandidate(lookup, query, candidate);
  QString line;
  for (const ReadString& string : ReadStrings(
           letters, QByteArrayView(candidate.context).sliced(aligned),
           candidate.context_start + aligned, ReadOptions{LineBreaks::kMarker, false, unit})) {
    line += string.text;
  }
  return line;
}

}  // namespace orvane::data
