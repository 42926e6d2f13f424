#include "editing/cell_editing.h"

#include "kana/romaji.h"
#include "text/codec.h"
#include "text/typed_text.h"

namespace orvane::editing {
namespace {

void Backspace(model::TableDocument& document, const model::Code& code, kana::InputMode mode) {
  const QByteArray text = document.GetCellText(code);
  if (text.isEmpty()) return;
  // A kana is two bytes or more; removing one would leave a broken character, so kana modes
  // clear all.
  document.SetCellText(code, mode == kana::InputMode::kAscii
                                 ? text.chopped(text::LastCharacterSize(text, document.Encoding()))
                                 : QByteArray());
}

// The kana of a syllable in the table's encoding; the tables hold it as EUC-JP.
std::optional<QByteArray> KanaBytes(const std::optional<QByteArray>& euc_jp,
                                    text::Encoding encoding) {
  if (!euc_jp) return std::nullopt;
  return text::Convert(*euc_jp, text::Encoding::kEucJp, encoding);
}

}  // namespace

TypingNote HandleCellKey(model::TableDocument& document, const EditingState& state, quint8 key) {
  const model::Code code = state.CursorCode();
  if (key == kBackspaceKey) {
    Backspace(document, code, state.InputMode());
  } else if (key >= 32) {
    return AppendTypedCharacter(document, code, state.InputMode(), key);
  }
  return TypingNote::kNone;
}

TypingNote TypeCharacter(model::TableDocument& document, const EditingState& state,
                         QChar character) {
  if (character.unicode() < 0x80) {
    return HandleCellKey(document, state, static_cast<quint8>(character.unicode()));
  }
  const std::optional<QByteArray> bytes = text::KeyBytes(character, document.Encoding());
  if (!bytes) return TypingNote::kCharacterNotStored;
  // One byte: as the format appends keys 128..255; more: a character that spells no syllable.
  if (bytes->size() == 1) {
    return AppendTypedCharacter(document, state.CursorCode(), state.InputMode(),
                                static_cast<quint8>(bytes->front()));
  }
  const model::Code code = state.CursorCode();
  document.SetCellText(code, document.GetCellText(code) + *bytes);
  return TypingNote::kNone;
}

TypingNote AppendTypedCharacter(model::TableDocument& document, const model::Code& code,
                                kana::InputMode mode, quint8 key) {
  const QByteArray before = document.GetCellText(code);
  const QByteArray typed = before + static_cast<char>(key);
  document.SetCellText(code, typed);
  if (mode == kana::InputMode::kAscii) return TypingNote::kNone;
  const text::Encoding encoding = document.Encoding();
  std::optional<QByteArray> spelled = kana::KanaForRomaji(typed, mode);
  if (const auto after_n = kana::RomajiAfterN(key);
      !spelled && after_n && before == KanaBytes(kana::KanaForRomaji("n", mode), encoding)) {
    spelled = kana::KanaForRomaji(*after_n, mode);
  }
  if (!spelled) return TypingNote::kNone;
  const std::optional<QByteArray> kana = KanaBytes(spelled, encoding);
  if (!kana) return TypingNote::kNoKanaInEncoding;
  document.SetCellText(code, *kana);
  return TypingNote::kNone;
}

TypingNote AppendCommittedText(model::TableDocument& document, const EditingState& state,
                               const QString& text) {
  // Line ends and other control characters would split the entry in the file or hide in it.
  QString printable = text;
  printable.removeIf(
      [](QChar character) { return character.unicode() < 0x20 || character.unicode() == 0x7F; });
  const text::EncodedText encoded = text::EncodeWhatFits(printable, document.Encoding());
  if (!encoded.bytes.isEmpty()) {
    const model::Code code = state.CursorCode();
    document.SetCellText(code, document.GetCellText(code) + encoded.bytes);
  }
  return encoded.dropped ? TypingNote::kCharacterNotStored : TypingNote::kNone;
}

}  // namespace orvane::editing
