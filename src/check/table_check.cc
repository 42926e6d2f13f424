#include "check/table_check.h"

#include "check/check_parts.h"
#include "data/data_source.h"
#include "model/table_document.h"

#include <algorithm>

namespace orvane::check {
namespace {

FindingKind KindOf(model::LoadWarning::Kind kind) {
  switch (kind) {
    case model::LoadWarning::Kind::kReplaced:
    case model::LoadWarning::Kind::kDefinedAgain:
      return FindingKind::kDefinedAgain;
    case model::LoadWarning::Kind::kKeptAsExtraLine:
      return FindingKind::kExtraLine;
    case model::LoadWarning::Kind::kNotValid:
      return FindingKind::kNotValid;
    case model::LoadWarning::Kind::kNoText:
    case model::LoadWarning::Kind::kNulBytes:
      break;
  }
  return FindingKind::kOtherWarning;
}

void AddWarnings(const QList<model::LoadWarning>& warnings, QList<Finding>& findings) {
  for (const model::LoadWarning& warning : warnings) {
    Finding finding;
    finding.kind = KindOf(warning.kind);
    finding.lines = {warning.line};
    if (warning.replaced_by > 0) finding.lines.append(warning.replaced_by);
    const bool names_code = warning.kind == model::LoadWarning::Kind::kReplaced ||
                            warning.kind == model::LoadWarning::Kind::kDefinedAgain ||
                            warning.kind == model::LoadWarning::Kind::kNoText;
    if (names_code) finding.codes = {warning.code};
    finding.message = QString::fromUtf8(model::WarningText(warning));
    findings.append(std::move(finding));
  }
}

// The table's own findings, then its data's; false when stopped.
bool CheckLoaded(const model::TableDocument& document, const CheckOptions& options,
                 data::JobControl* control, CheckResult& result) {
  const data::CodeLookup lookup = data::CodeLookup::Of(document);
  const CodeLines lines(document);
  const LongestFirst inserter(lookup);
  const data::TextEncoder encoder(lookup);
  CheckContext context{document, lookup, lines, inserter, encoder, result.findings};
  FindSharedTexts(context);
  FindUnreachableCodes(context);
  FindControlClashes(context);
  if (!FindOwnTextFaults(context, control)) return false;
  if (options.data == nullptr) return true;
  const qint64 codes = lookup.Count();
  const DataCheck data =
      CheckDataStrings(context, *options.data, control, codes, codes + options.data->Size());
  result.data_error = data.error;
  return !data.stopped;
}

}  // namespace

QString KindTitle(FindingKind kind) {
  switch (kind) {
    case FindingKind::kSharedText:
      return QStringLiteral("Texts several codes share");
    case FindingKind::kUnreachable:
      return QStringLiteral("Codes reading never reaches");
    case FindingKind::kLongestFirst:
      return QStringLiteral("Texts written wrong longest first");
    case FindingKind::kControlCode:
      return QStringLiteral("Control codes");
    case FindingKind::kDefinedAgain:
      return QStringLiteral("Lines defined again");
    case FindingKind::kExtraLine:
      return QStringLiteral("Lines kept as extra lines");
    case FindingKind::kNotValid:
      return QStringLiteral("Lines not valid in the encoding");
    case FindingKind::kOtherWarning:
      return QStringLiteral("Other warnings");
  }
  return {};
}

CheckResult CheckTable(QByteArrayView file, const CheckOptions& options,
                       data::JobControl* control) {
  CheckResult result;
  model::TableDocument document;
  QList<model::LoadWarning> warnings;
  result.error = model::LoadTableFromBytes(document, file, &warnings);
  if (result.error) return result;
  if (options.encoding) document.SetEncoding(*options.encoding);
  AddWarnings(warnings, result.findings);
  result.stopped = !CheckLoaded(document, options, control, result);
  std::stable_sort(result.findings.begin(), result.findings.end(),
                   [](const Finding& a, const Finding& b) {
                     const qsizetype a_line = a.lines.isEmpty() ? 0 : a.lines.front();
                     const qsizetype b_line = b.lines.isEmpty() ? 0 : b.lines.front();
                     return std::tie(a.kind, a_line, a.offset) < std::tie(b.kind, b_line, b.offset);
                   });
  return result;
}

CheckResult CheckTableState(const model::TableState& state, CheckOptions options,
                            data::JobControl* control) {
  model::TableDocument document;
  document.Restore(state, true);
  if (!options.encoding) options.encoding = state.encoding;
  return CheckTable(model::TableToBytes(document, model::SaveLayout::kKeepFile), options, control);
}

std::array<qsizetype, kFindingKinds> CountByKind(const QList<Finding>& findings) {
  std::array<qsizetype, kFindingKinds> counts{};
  for (const Finding& finding : findings) ++counts[static_cast<size_t>(finding.kind)];
  return counts;
}

}  // namespace orvane::check
