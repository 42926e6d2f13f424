#pragma once

#include <QByteArray>
#include <QString>

namespace orvane::testing {

// A made-up game whose font was drawn with an installed Japanese typeface and packed in two
// formats: its kana, 2bpp Game Boy tiles of 16×16 from kKanaAt with codes from 8000 and a blank
// glyph last; then its kanji, 16×16 one-bit rows from kKanjiAt with codes from 8100, in JIS
// order from the first kanji, and a heart the game draws itself last. The table that comes with
// it is UTF-8 and has the kana typed, but for か (800A), missing, and き (800C), typed as ぎ.
struct MadeUpFont {
  static constexpr qint64 kKanaAt = 0x100;
  static constexpr int kKana = 83;   // ぁ to ん, then the blank at 8053
  static constexpr int kKanji = 40;  // 亜 on, then the heart at 8128
  static constexpr qint64 kKanjiAt = kKanaAt + qint64{kKana + 1} * 64;

  QByteArray data;
  QByteArray table;
  // The table once it is whole: every glyph's character, the heart as ♥, the blank without one.
  QByteArray expected;
};

// Needs a QGuiApplication.
[[nodiscard]] MadeUpFont MakeFont(const QString& family);

}  // namespace orvane::testing
