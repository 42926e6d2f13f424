#include "data/relative_search_preview.h"

#include "data/string_reader.h"

#include <vector>

namespace orvane::data {
namespace {

struct Shown {
  const ReadPiece* piece;
  QStringView text;
};

// Each piece of the strings with the text it reads as, in data order.
std::vector<Shown> ShownPieces(const QList<ReadString>& strings) {
  std::vector<Shown> shown;
  for (const ReadString& string : strings) {
    for (qsizetype p = 0; p < string.pieces.size(); ++p) {
      const qsizetype begin = string.pieces[p].text_begin;
      const qsizetype end =
          p + 1 < string.pieces.size() ? string.pieces[p + 1].text_begin : string.text.size();
      shown.push_back(
          Shown{&string.pieces[p], QStringView(string.text).sliced(begin, end - begin)});
    }
  }
  return shown;
}

qsizetype Characters(const Shown& shown) {
  if (shown.piece->kind == PieceKind::kUnknown || shown.piece->kind == PieceKind::kArgument)
    return 1;
  return shown.text.toUcs4().size();
}

}  // namespace

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
  const QList<ReadString> strings =
      ReadStrings(letters, QByteArrayView(candidate.context).sliced(aligned),
                  candidate.context_start + aligned, ReadOptions{LineBreaks::kMarker, true, unit});
  const std::vector<Shown> shown = ShownPieces(strings);
  size_t first = 0;
  while (first < shown.size() && shown[first].piece->offset + shown[first].piece->length <= hit) {
    ++first;
  }
  for (qsizetype lead = 0; first > 0; --first) {
    lead += Characters(shown[first - 1]);
    if (lead > kPreviewLead) break;
  }
  QString line;
  for (size_t i = first; i < shown.size(); ++i) line += shown[i].text;
  return line;
}

}  // namespace orvane::data
