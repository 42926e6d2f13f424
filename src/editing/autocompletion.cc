#include "editing/autocompletion.h"

#include "text/codec.h"

namespace orvane::editing {

FillReach AutoFillWalk(model::TableDocument& document, EditingState& state,
                       const std::vector<QByteArray>& texts) {
  FillReach reach{0, static_cast<qsizetype>(texts.size())};
  if (texts.empty()) return reach;
  model::BulkChange bulk(document);
  for (const QByteArray& text : texts) {
    const model::Code code = state.CursorCode();
    document.SetCellText(code, text);
    ++reach.written;
    const std::optional<model::Code> next = code.Next();
    if (!next) break;
    state.SelectCode(*next);
  }
  return reach;
}

FillReach AutoFillRange(model::TableDocument& document, EditingState& state, quint8 first,
                        quint8 last) {
  std::vector<QByteArray> texts;
  // An int counter: a quint8 one would wrap and never pass last == 0xFF.
  for (int value = first; value <= last; ++value) texts.emplace_back(1, static_cast<char>(value));
  return AutoFillWalk(document, state, texts);
}

std::optional<FillReach> AutoFillTable(model::TableDocument& document, EditingState& state,
                                       kana::KanaTable table, kana::InputMode script,
                                       bool upper_case) {
  std::vector<QByteArray> texts = kana::TableEntries(table);
  const char lead = kana::LeadByte(script);
  for (QByteArray& text : texts) {
    if (lead != 0) {
      // The tables hold EUC-JP; the cells take the table's encoding.
      const auto kana = text::Convert(lead + text, text::Encoding::kEucJp, document.Encoding());
      if (!kana) return std::nullopt;
      text = *kana;
    } else if (upper_case) {
      text = text.toUpper();
    }
  }
  return AutoFillWalk(document, state, texts);
}

}  // namespace orvane::editing
