#pragma once

#include <QIcon>

namespace orvane::ui {

// The toolbar's drawn icons, painted at whatever size and scale they are shown, so they stay
// crisp on any display.
enum class ToolIcon {
  kSetSpecial,    // a slash followed by 0F
  kUnsetSpecial,  // the same, crossed out in red
  kUpperCase,     // a blue capital A
  kLowerCase,     // a red small a
  kNumber,        // a black digit 1
  kRomaji,        // a blue capital R
  kKatakana,      // a green katakana a
  kHiragana,      // a red hiragana a
};

[[nodiscard]] QIcon DrawnIcon(ToolIcon icon);

// The desktop theme's icon by name, or Qt's own standard pixmap where the theme has none.
enum class FileIcon { kNew, kOpen, kSave };
[[nodiscard]] QIcon FileCommandIcon(FileIcon icon);

}  // namespace orvane::ui
