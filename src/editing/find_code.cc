#include "editing/find_code.h"

#include "text/display_text.h"

#include <algorithm>

namespace orvane::editing {

std::optional<FoundCode> FindCode(const model::TableDocument& document, const model::Code& from,
                                  const QString& text) {
  if (text.isEmpty()) return std::nullopt;
  const QList<model::Code> codes = document.DefinedCodes();
  const auto matches = [&](const model::Code& code) {
    return text::DisplayText(document.GetCellText(code), document.Encoding())
        .contains(text, Qt::CaseInsensitive);
  };
  const auto after = std::upper_bound(codes.begin(), codes.end(), from);
  if (const auto found = std::find_if(after, codes.end(), matches); found != codes.end()) {
    return FoundCode{*found, false};
  }
  if (const auto found = std::find_if(codes.begin(), after, matches); found != after) {
    return FoundCode{*found, true};
  }
  return std::nullopt;
}

}  // namespace orvane::editing
