#include "editing/editing_state.h"

namespace orvane::editing {

void EditingState::SelectCode(quint8 code) {
  if (cursor_code_ == code) return;
  cursor_code_ = code;
  emit cursorChanged(cursor_code_);
}

void EditingState::SetInputMode(kana::InputMode mode) {
  if (input_mode_ == mode) return;
  input_mode_ = mode;
  emit inputModeChanged(input_mode_);
}

}  // namespace orvane::editing
