#include "editing/special_characters.h"

namespace orvane::editing {

void SetSpecialCharacter(model::TableDocument& document, const EditingState& state,
                         Answers& answers) {
  const model::Code code = state.CursorCode();
  const QByteArray text = document.GetCellText(code);
  if (text != "/" && text != "*") {
    answers.MessageBox(QStringLiteral("Selected cell does not contain a Special Character\r\n"),
                       QStringLiteral("Error..."), Answers::Icon::kExclamation,
                       Answers::Buttons::kOk);
    return;
  }
  document.MarkSpecial(code);
}

void UnsetSpecialCharacter(model::TableDocument& document, const EditingState& state) {
  const model::Code code = state.CursorCode();
  if (!document.IsSpecial(code)) return;
  document.UnmarkSpecial(code);
}

}  // namespace orvane::editing
