#pragma once

#include "kana/kana_tables.h"
#include "model/code.h"

#include <QObject>

namespace orvane::editing {

// The cursor's code and the input mode. The grid follows the cursor and shows the page the
// cursor's code lies on; it sends the user's moves here; the menu checks and status panels
// follow the mode.
class EditingState : public QObject {
  Q_OBJECT

 public:
  explicit EditingState(QObject* parent = nullptr) : QObject(parent) {}

  [[nodiscard]] model::Code CursorCode() const { return cursor_code_; }
  [[nodiscard]] model::Page CurrentPage() const { return cursor_code_.PageOf(); }
  void SelectCode(const model::Code& code);
  // Puts the cursor on the page's first cell.
  void OpenPage(const model::Page& page) { SelectCode(model::CodeOnPage(page, 0)); }

  [[nodiscard]] kana::InputMode InputMode() const { return input_mode_; }
  void SetInputMode(kana::InputMode mode);

 signals:
  void cursorChanged(const model::Code& code);
  // The cursor moved to another page; cursorChanged follows.
  void pageChanged(const model::Page& page);
  void inputModeChanged(kana::InputMode mode);

 private:
  model::Code cursor_code_;
  kana::InputMode input_mode_ = kana::InputMode::kAscii;
};

}  // namespace orvane::editing
