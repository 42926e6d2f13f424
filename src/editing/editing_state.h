#pragma once

#include "kana/kana_tables.h"

#include <QObject>

namespace orvane::editing {

// The cursor's code and the input mode. The grid follows the cursor and sends the user's moves
// here; the menu checks and status panels follow the mode.
class EditingState : public QObject {
  Q_OBJECT

 public:
  explicit EditingState(QObject* parent = nullptr) : QObject(parent) {}

  [[nodiscard]] quint8 CursorCode() const { return cursor_code_; }
  void SelectCode(quint8 code);

  [[nodiscard]] kana::InputMode InputMode() const { return input_mode_; }
  void SetInputMode(kana::InputMode mode);

 signals:
  void cursorChanged(quint8 code);
  void inputModeChanged(kana::InputMode mode);

 private:
  quint8 cursor_code_ = 0;
  kana::InputMode input_mode_ = kana::InputMode::kAscii;
};

}  // namespace orvane::editing
