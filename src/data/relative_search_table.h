#pragma once

#include "data/relative_search.h"
#include "model/code.h"

#include <QString>

#include <map>

namespace orvane::model {
class TableDocument;
}

namespace orvane::data {

// The table's codes as a reading shows them, taken on the document's thread at one moment, so
// that results can be ranked and read on without touching the document, which may change or
// close meanwhile.
class TableTexts {
 public:
  // Texts as the grid shows them; an end mark as its label or <END>, a line-break mark as its
  // label or <LINE>. Codes without text or mark read as unknown.
  [[nodiscard]] static TableTexts Of(const model::TableDocument& document);

  void Set(const model::Code& code, const QString& text) { texts_[code] = text; }
  [[nodiscard]] const QString* Find(const model::Code& code) const;
  [[nodiscard]] const std::map<model::Code, QString>& Texts() const { return texts_; }

 private:
  std::map<model::Code, QString> texts_;
};

// The symbol the candidate puts at a value, or nothing.
[[nodiscard]] std::optional<char16_t> CandidateSymbol(const Query& query,
                                                      const Candidate& candidate, qint64 value);

// The data around the candidate's first hit read through the table with the candidate's
// symbols added (they win where the table holds another text): at each value the longest code
// that has a text, else the value's bytes as <$XX>.
[[nodiscard]] QString PreviewLine(const Query& query, const Candidate& candidate,
                                  const TableTexts& table);

}  // namespace orvane::data
