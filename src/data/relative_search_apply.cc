#include "data/relative_search_apply.h"

#include "model/table_document.h"
#include "text/codec.h"
#include "text/no_kana_text.h"

namespace orvane::data {

ApplyPlan PlanApply(const Query& query, const Candidate& candidate,
                    const model::TableDocument& document) {
  ApplyPlan plan;
  const text::Encoding encoding = document.Encoding();
  for (size_t run = 0; run < query.runs.size(); ++run) {
    for (int index = 0; index < RunLength(query.runs[run]); ++index) {
      // As the fills do: the symbol's EUC-JP bytes made into the table's encoding.
      const auto text =
          text::Convert(RunSymbolEucJp(query.runs[run], index), text::Encoding::kEucJp, encoding);
      if (!text) {
        return ApplyPlan{
            {}, {}, text::NoKanaText(encoding, QStringLiteral("nothing was written."))};
      }
      const auto value = static_cast<quint32>(candidate.bases[run] + index);
      const model::Code code = CodeOfValue(value, query.values);
      const QByteArray now = document.GetCellText(code);
      // A control code stands for no letter, whatever its label says.
      if (document.IsControl(code) || (!now.isEmpty() && now != *text)) {
        plan.overwrites.push_back(code);
      }
      plan.writes.push_back(CodeText{code, *text});
    }
  }
  return plan;
}

}  // namespace orvane::data
