#pragma once

namespace orvane::ui {

// The main window's way to its tool windows, which live in a layer above it. Each show creates
// the window on first use and otherwise brings it to the front.
class SideWindows {
 public:
  virtual ~SideWindows() = default;
  virtual void ShowBookmarksManager() = 0;
  virtual void ShowExtraLinesManager() = 0;
  virtual void ShowReadme() = 0;
  virtual void ShowAbout() = 0;
  virtual void ShowGameData() = 0;
  // Checks the whole table, and the Game Data window's file when it has one open.
  virtual void ShowTableCheck() = 0;
  // The main window is closing.
  virtual void CloseAll() = 0;
};

}  // namespace orvane::ui
