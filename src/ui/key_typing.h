#pragma once

#include <QString>

class QKeyEvent;

namespace orvane::ui {

// What a key press types into a cell, the same wherever the table is typed: characters given
// one by one to the typing (a Backspace as the editing's backspace key), a text given whole (a
// character beyond the 16-bit range arrives as two halves), or nothing (a command, a modifier
// alone, Delete).
struct KeyTyping {
  QString keys;
  QString committed;
  [[nodiscard]] bool Types() const { return !keys.isEmpty() || !committed.isEmpty(); }
};

[[nodiscard]] KeyTyping TypingOf(const QKeyEvent& event);

}  // namespace orvane::ui
