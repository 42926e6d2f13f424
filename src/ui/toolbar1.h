#pragma once

#include "editing/fill_commands.h"

#include <QIcon>

#include <functional>
#include <vector>

namespace orvane::session {
class Session;
}

namespace orvane::ui {

// The toolbar's positions, numbered from 1 left to right as the commands are dispatched.
enum class ToolbarButton {
  kNew = 1,
  kOpen = 2,
  kSave = 3,
  kSeparator4 = 4,
  kSetSpecial = 5,
  kUnsetSpecial = 6,
  kSeparator7 = 7,
  kUpperCase = 8,
  kLowerCase = 9,
  kNumbers = 10,
  kSeparator11 = 11,
  kRomaji = 12,
  kKatakana = 13,
  kHiragana = 14,
};

using ToolbarCommand = std::function<void(session::Session&)>;

struct DropDownItem {
  const char* caption;
  editing::FillCommand fill;
};

// One position of the toolbar: what it shows and what pressing it does. A position without a
// tooltip is a separator; a button with drop-down items does what its first item does.
struct ToolbarPosition {
  ToolbarButton button;
  const char* tooltip = nullptr;
  QIcon (*icon)() = nullptr;
  ToolbarCommand press;
  std::vector<DropDownItem> items;
};

// The one table that builds the toolbar and dispatches its clicks, in left-to-right order.
[[nodiscard]] const std::vector<ToolbarPosition>& Toolbar1Layout();

// The position of a button number, or null for a number without one.
[[nodiscard]] const ToolbarPosition* FindToolbarPosition(int button);

}  // namespace orvane::ui
