#include "lint_command.h"

#include "check/table_check.h"
#include "loaded_table.h"
#include "tool_text.h"

#include <QStringList>

namespace orvane::tools {
namespace {

// "FILE:12: message", and the finding's other lines after it; check's own warnings name them
// already.
QByteArray FindingLine(const QByteArray& name, const check::Finding& finding) {
  QByteArray line = name;
  if (!finding.lines.isEmpty()) line += ':' + QByteArray::number(finding.lines.front());
  line += ": " + PrintableText(finding.message);
  if (finding.lines.size() > 1 && finding.kind < check::FindingKind::kDefinedAgain) {
    QStringList others;
    for (qsizetype i = 1; i < finding.lines.size(); ++i)
      others << QString::number(finding.lines[i]);
    line += (finding.lines.size() == 2 ? " (also line " : " (also lines ") +
            others.join(QStringLiteral(", ")).toUtf8() + ')';
  }
  return line + '\n';
}

// "FILE: 3 findings: Texts several codes share 2, Lines defined again 1", or "nothing found".
QByteArray Counts(const QByteArray& name, const QList<check::Finding>& findings) {
  if (findings.isEmpty()) return name + ": nothing found\n";
  const auto counts = check::CountByKind(findings);
  QStringList kinds;
  for (int kind = 0; kind < check::kFindingKinds; ++kind) {
    if (counts[static_cast<size_t>(kind)] == 0) continue;
    kinds << QStringLiteral("%1 %2")
                 .arg(check::KindTitle(static_cast<check::FindingKind>(kind)))
                 .arg(counts[static_cast<size_t>(kind)]);
  }
  const QByteArray total =
      findings.size() == 1 ? "1 finding: " : QByteArray::number(findings.size()) + " findings: ";
  return name + ": " + total + kinds.join(QStringLiteral(", ")).toUtf8() + '\n';
}

}  // namespace

ToolResult RunLint(const ParsedArguments& arguments, OutputSink& out) {
  if (arguments.Positional().size() != 1) return UsageError();
  const QByteArray& path = arguments.Positional()[0];
  LoadedTable table;
  // A table that does not load fails as check fails; its warnings are among the findings.
  if (auto failure = Load(path, table)) return *std::move(failure);
  const check::CheckResult result = check::CheckTable(table.bytes, {});
  if (result.error) {
    return Failure(path + ':' + QByteArray::number(result.error->line), result.error->reason);
  }
  const QByteArray name = PrintableName(path);
  QByteArray block;
  for (const check::Finding& finding : result.findings) block += FindingLine(name, finding);
  block += Counts(name, result.findings);
  if (!out.Write(block)) return ToolResult{kExitFailed, {}, {}};
  return ToolResult{result.findings.isEmpty() ? kExitOk : kExitFailed, {}, {}};
}

}  // namespace orvane::tools
