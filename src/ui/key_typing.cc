#include "ui/key_typing.h"

#include "editing/cell_editing.h"

#include <QKeyEvent>

#include <algorithm>

namespace orvane::ui {

KeyTyping TypingOf(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Backspace)
    return {QString(QChar(char16_t{editing::kBackspaceKey})), {}};
  if (event.key() == Qt::Key_Delete) return {};  // Delete types no character
  const QString text = event.text();
  // A key pressed with Ctrl, Alt or Meta is a command that is no shortcut of ours, never text;
  // AltGr and level-3 keys, Shift and the keypad still type.
  constexpr Qt::KeyboardModifiers kCommandModifiers =
      Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  if (text.isEmpty() || (event.modifiers() & kCommandModifiers)) return {};
  if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); })) {
    return {{}, text};
  }
  return {text, {}};
}

}  // namespace orvane::ui
