#include "editing/cell_editing.h"

#include "kana/romaji.h"
#include "text/typed_text.h"

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
    AppendTypedCharacter(document, code, state.InputMode(), key);
  }
}

void AppendTypedCharacter(model::TableDocument& document, quint8 code, kana::InputMode mode,
                          quint8 key) {
  const QByteArray before = document.GetCellText(code);
  const QByteArray typed = before + static_cast<char>(key);
  document.SetCellText(code, typed);
  document.SetModified(true);
  if (mode == kana::InputMode::kAscii) return;
  std::optional<QByteArray> kana = kana::KanaForRomaji(typed, mode);
  if (const auto after_n = kana::RomajiAfterN(key);
      !kana && after_n && before == kana::KanaForRomaji("n", mode)) {
    kana = kana::KanaForRomaji(*after_n, mode);
  }
  if (kana) document.SetCellText(code, *kana);
}

void AppendCommittedText(model::TableDocument& document, const EditingState& state,
                         const QString& text) {
  // Line ends and other control characters would split the entry in the file or hide in it.
  QString printable = text;
  printable.removeIf(
      [](QChar character) { return character.unicode() < 0x20 || character.unicode() == 0x7F; });
  const QByteArray bytes = text::EncodeWhatFits(printable, document.Encoding());
  if (bytes.isEmpty()) return;
  const quint8 code = state.CursorCode();
  document.SetCellText(code, document.GetCellText(code) + bytes);
  document.SetModified(true);
}

}  // namespace orvane::editing
