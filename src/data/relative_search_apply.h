#pragma once

#include "data/relative_search.h"
#include "model/code.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace orvane::model {
class TableDocument;
}

namespace orvane::data {

struct CodeText {
  model::Code code;
  QByteArray text;  // in the table's encoding

  friend bool operator==(const CodeText&, const CodeText&) = default;
};

// What applying a candidate would write, worked out before anything is written.
struct ApplyPlan {
  // Every symbol of each of the query's runs at its value, one code per value, in run order;
  // for a fill order on single bytes exactly the texts the fill writes.
  std::vector<CodeText> writes;
  // The codes among them that hold another text now, or are control codes: to ask before they
  // are overwritten.
  std::vector<model::Code> overwrites;
  // Why nothing may be written: the table's encoding has no kana. Then `writes` is empty.
  std::optional<QString> refusal;
};

[[nodiscard]] ApplyPlan PlanApply(const Query& query, const Candidate& candidate,
                                  const model::TableDocument& document);

}  // namespace orvane::data
