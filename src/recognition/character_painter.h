#pragma once

#include "recognition/ink_image.h"

#include <QFont>
#include <QImage>
#include <QString>

namespace orvane::recognition {

// Cut to one bit, as a game's glyph is, or smoothed: a clean drawing of the typeface's design.
enum class Rendering { kOneBit, kSmooth };

// Draws characters of one font in cells of one size as a game would place them: the em square
// fills the cell's height (less when a character is wider than the cell), centred across it,
// the baseline where the ideographic em box puts it, an eighth of the em above the bottom.
// Needs a QGuiApplication; one painter per thread.
class CharacterPainter {
 public:
  CharacterPainter(const QString& family, int width, int height, Rendering rendering);
  [[nodiscard]] InkImage Draw(char16_t character);

 private:
  QFont font_;
  int width_;
  int height_;
  QImage canvas_;
};

// Whether fontconfig has the family, matched as Qt matches it (in any letter case).
[[nodiscard]] bool IsFontInstalled(const QString& family);

}  // namespace orvane::recognition
