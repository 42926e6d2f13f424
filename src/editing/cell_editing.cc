#include "editing/cell_editing.h"

#include "kana/romaji.h"

namespace orvane::editing {
namespace {

void Backspace(model::TableDocument& document, quint8 code, kana::InputMode mode) {
  const QByteArray text = document.GetCellText(code);
  if (text.isEmpty()) return;
  // A kana is two bytes; removing one would leave a broken lead byte, so kana modes clear all.
  document.SetCellText(code, mode == kana::InputMode::kAscii ? text.chopped(1) : QByteArray());
  document.SetModified(true);
}

}  // namespace

void HandleCellKey(model::TableDocument& document, const EditingState& state, quint8 key) {
  const quint8 code = state.CursorCode();
  if (key == kBackspaceKey) {
    Backspace(document, code, state.InputMode());
  } else if (key >= 32) {
    kana::AppendTypedCharacter(document, code, state.InputMode(), key);
  }
}

void AppendCommittedText(model::TableDocument& document, const EditingState& state,
                         const QByteArray& bytes) {
  if (bytes.isEmpty()) return;
  const quint8 code = state.CursorCode();
  document.SetCellText(code, document.GetCellText(code) + bytes);
  document.SetModified(true);
}

}  // namespace orvane::editing
