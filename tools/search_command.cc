#include "search_command.h"

#include "data/relative_search.h"
#include "data/relative_search_rank.h"
#include "data_input.h"
#include "loaded_table.h"
#include "tool_files.h"
#include "tool_text.h"

#include <algorithm>
#include <variant>

namespace orvane::tools {
namespace {

struct SearchArguments {
  QByteArray data;
  QByteArray word;
  std::optional<data::Order> order;
  data::ValueSize values = data::ValueSize::k8;
};

// The arguments, or the reason they are wrong.
std::variant<SearchArguments, QString> Parse(const ParsedArguments& arguments) {
  SearchArguments parsed;
  if (arguments.Positional().size() != 2) {
    return QStringLiteral("a DATA file and a WORD are needed");
  }
  if (const auto order = arguments.Value("--order")) {
    const QString name = QString::fromUtf8(*order);
    parsed.order = data::OrderFromName(name.toLower());
    if (!parsed.order) {
      return QStringLiteral("unknown order \"%1\" (%2)").arg(name, data::OrderNames());
    }
  }
  if (const auto values = arguments.Value("--values")) {
    const QString name = QString::fromUtf8(*values);
    const auto size = data::ValueSizeFromName(name);
    if (!size) return QStringLiteral("unknown value size \"%1\" (8, 16be, 16le)").arg(name);
    parsed.values = *size;
  }
  parsed.data = arguments.Positional()[0];
  parsed.word = arguments.Positional()[1];
  return parsed;
}

QByteArray CandidateLine(const data::Query& query, const data::Candidate& candidate) {
  const QString hits =
      candidate.hits == 1 ? QStringLiteral("1 hit") : QStringLiteral("%1 hits").arg(candidate.hits);
  return QStringLiteral("%1: %2 (first at %3)\n")
      .arg(hits, data::CandidateValues(query, candidate),
           QString::fromLatin1(OffsetText(candidate.FirstHit())))
      .toUtf8();
}

QByteArray Printed(const data::Query& query, data::SearchResult result, QByteArray& notes) {
  const qsizetype count = static_cast<qsizetype>(result.candidates.size());
  // No table to agree with: the ranking is by hits alone.
  const auto ranked = data::Rank(query, std::move(result.candidates), data::CodeLookup());
  QByteArray out;
  for (qsizetype i = 0; i < std::min<qsizetype>(count, kPrintedCandidates); ++i) {
    out.append(CandidateLine(query, ranked[static_cast<size_t>(i)].candidate));
  }
  if (count > kPrintedCandidates) {
    notes.append(QByteArray::number(count - kPrintedCandidates) + " more candidates not shown\n");
  }
  if (result.uncounted_hits > 0) {
    notes.append(QByteArray::number(result.uncounted_hits) + " hits of further candidates not " +
                 "counted: more than " + QByteArray::number(data::kMaxCandidates) +
                 " candidates\n");
  }
  return out;
}

}  // namespace

ToolResult RunSearch(const ParsedArguments& arguments, OutputSink& /*out*/) {
  const auto parsed = Parse(arguments);
  if (const auto* reason = std::get_if<QString>(&parsed)) return UsageError(*reason, kSearchPrefix);
  const auto& search = std::get<SearchArguments>(parsed);
  if (search.data == kStandardStream) return StandardInputAsData("search");
  if (const auto why = WhyNotUtf8("WORD", search.word)) {
    return ToolResult{kExitUsage, {}, kSearchPrefix.toByteArray() + PrintableText(*why) + '\n'};
  }
  const data::QueryOrError made =
      data::MakeQuery(QString::fromUtf8(search.word), search.order, search.values);
  if (!made.query) {
    return ToolResult{
        kExitUsage, {}, kSearchPrefix.toByteArray() + PrintableText(made.error) + '\n'};
  }
  const QByteArray path = PrintableName(search.data);
  auto opened = OpenData(search.data);
  if (const auto* error = std::get_if<ReadError>(&opened)) return Unreadable(search.data, *error);
  data::DataSource& source = *std::get<std::unique_ptr<data::DataSource>>(opened);
  data::WordSearch found = data::SearchWord(QString::fromUtf8(search.word), search.order,
                                            search.values, source, std::stop_token());
  data::SearchResult& result = found.result;
  if (!result.error.isEmpty()) {
    return ToolResult{kExitFailed, {}, path + ": " + PrintableText(result.error) + '\n'};
  }
  const data::Query& query = found.query ? *found.query : *made.query;
  if (result.candidates.empty()) {
    return ToolResult{kExitFailed, {}, path + ": no hit for " + PrintableText(query.word) + '\n'};
  }
  ToolResult printed;
  if (found.romaji) {
    printed.out =
        PrintableText(QStringLiteral("%1 read as romaji in the order %2:")
                          .arg(QString::fromUtf8(search.word), data::OrderName(*found.romaji))) +
        '\n';
  }
  printed.out += Printed(query, std::move(result), printed.err);
  return printed;
}

}  // namespace orvane::tools
