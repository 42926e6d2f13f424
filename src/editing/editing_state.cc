#include "editing/editing_state.h"

namespace orvane::editing {

void EditingState::SelectCode(const model::Code& code) {
  if (cursor_code_ == code) return;
  const bool other_page = code.PageOf() != cursor_code_.PageOf();
  cursor_code_ = code;
  if (other_page) emit pageChanged(cursor_code_.PageOf());
  emit cursorChanged(cursor_code_);
}

void EditingState::SetInputMode(kana::InputMode mode) {
  if (input_mode_ == mode) return;
  input_mode_ = mode;
  emit inputModeChanged(input_mode_);
}

}  // namespace orvane::editing
