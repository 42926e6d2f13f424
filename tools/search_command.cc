#include "search_command.h"

#include "data/relative_search.h"
#include "data/relative_search_rank.h"
#include "tool_text.h"

#include <QFile>

#include <algorithm>
#include <variant>

namespace orvane::tools {
namespace {

struct SearchArguments {
  QByteArray data;
  QString word;
  std::optional<data::Order> order;
  data::ValueSize values = data::ValueSize::k8;
};

ToolResult WrongArguments(const QString& reason, QByteArrayView usage) {
  return ToolResult{
      kExitUsage, {}, "orvane-tbl search: " + PrintableText(reason) + '\n' + usage.toByteArray()};
}

// The arguments, or the reason they are wrong.
std::variant<SearchArguments, QString> Parse(const QList<QByteArray>& bytes) {
  SearchArguments parsed;
  QStringList arguments;
  for (const QByteArray& argument : bytes) arguments.append(QString::fromUtf8(argument));
  QList<QByteArray> positional;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    const bool takes_value =
        argument == QLatin1String("--order") || argument == QLatin1String("--values");
    if (takes_value && i + 1 == arguments.size())
      return argument + QStringLiteral(" needs a value");
    if (argument == QLatin1String("--order")) {
      parsed.order = data::OrderFromName(arguments[++i]);
      if (!parsed.order) {
        return QStringLiteral("unknown order \"%1\" (%2)").arg(arguments[i], data::OrderNames());
      }
    } else if (argument == QLatin1String("--values")) {
      const auto values = data::ValueSizeFromName(arguments[++i]);
      if (!values)
        return QStringLiteral("unknown value size \"%1\" (8, 16be, 16le)").arg(arguments[i]);
      parsed.values = *values;
    } else if (argument.startsWith(QLatin1String("--"))) {
      return QStringLiteral("unknown option %1").arg(argument);
    } else {
      positional.append(bytes[i]);
    }
  }
  if (positional.size() != 2) return QStringLiteral("a DATA file and a WORD are needed");
  parsed.data = positional[0];
  parsed.word = QString::fromUtf8(positional[1]);
  return parsed;
}

QByteArray CandidateLine(const data::Query& query, const data::Candidate& candidate) {
  const QString hits =
      candidate.hits == 1 ? QStringLiteral("1 hit") : QStringLiteral("%1 hits").arg(candidate.hits);
  const QString first =
      QString::number(candidate.FirstHit(), 16).rightJustified(8, QLatin1Char('0')).toUpper();
  return QStringLiteral("%1: %2 (first at %3)\n")
      .arg(hits, data::CandidateValues(query, candidate), first)
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

ToolResult RunSearch(const QList<QByteArray>& arguments, QByteArrayView usage) {
  const auto parsed = Parse(arguments);
  if (const auto* reason = std::get_if<QString>(&parsed)) return WrongArguments(*reason, usage);
  const auto& search = std::get<SearchArguments>(parsed);
  const data::QueryOrError made = data::MakeQuery(search.word, search.order, search.values);
  if (!made.query) {
    return ToolResult{kExitUsage, {}, "orvane-tbl search: " + PrintableText(made.error) + '\n'};
  }
  const QByteArray path = PrintableName(search.data);
  const data::OpenedSource source = data::FileSource::Open(QFile::decodeName(search.data));
  if (!source.source) return ToolResult{kExitFailed, {}, PrintableText(source.error) + '\n'};
  data::SearchResult result = data::Search(*made.query, *source.source, std::stop_token());
  if (!result.error.isEmpty()) {
    return ToolResult{kExitFailed, {}, path + ": " + PrintableText(result.error) + '\n'};
  }
  if (result.candidates.empty()) {
    return ToolResult{
        kExitFailed, {}, path + ": no hit for " + PrintableText(made.query->word) + '\n'};
  }
  ToolResult printed;
  printed.out = Printed(*made.query, std::move(result), printed.err);
  return printed;
}

}  // namespace orvane::tools
