#pragma once

#include "model/code.h"
#include "model/table_document.h"

#include <QString>

#include <optional>

namespace orvane::editing {

struct FoundCode {
  model::Code code;
  bool wrapped = false;  // found before `from`, the search having gone round
};

// The first code after `from`, over all pages in code order, whose text as the grid shows it
// contains `text` (letter case aside); the search wraps once around and ends with `from` itself.
// Nothing when no code matches or the text is empty.
[[nodiscard]] std::optional<FoundCode> FindCode(const model::TableDocument& document,
                                                const model::Code& from, const QString& text);

}  // namespace orvane::editing
