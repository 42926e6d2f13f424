#include "ui/toolbar1.h"

#include "session/session.h"
#include "ui/icons.h"

#include <algorithm>

namespace orvane::ui {
namespace {

using editing::FillCommand;
using kana::InputMode;
using kana::KanaTable;

ToolbarCommand Fill(FillCommand fill) {
  return [fill](session::Session& session) { session.RunFill(fill); };
}

ToolbarPosition Separator(ToolbarButton button) { return {button, nullptr, nullptr, {}, {}}; }

ToolbarPosition Button(ToolbarButton button, const char* tooltip, QIcon (*icon)(),
                       ToolbarCommand press) {
  return {button, tooltip, icon, std::move(press), {}};
}

// A drop-down button: pressing it runs its first item.
ToolbarPosition DropDown(ToolbarButton button, const char* tooltip, QIcon (*icon)(),
                         std::vector<DropDownItem> items) {
  ToolbarCommand press = Fill(items.front().fill);
  return {button, tooltip, icon, std::move(press), std::move(items)};
}

template <ToolIcon kIcon>
QIcon Drawn() {
  return DrawnIcon(kIcon);
}

template <FileIcon kIcon>
QIcon File() {
  return FileCommandIcon(kIcon);
}

std::vector<ToolbarPosition> BuildLayout() {
  const auto kana_items = [](InputMode script) {
    return std::vector<DropDownItem>{
        {"Suoni Puri", FillCommand::Table(KanaTable::kKanaTrailPure, script)},
        {"Suoni Impuri/Semipuri", FillCommand::Table(KanaTable::kKanaTrailImpure, script)}};
  };
  std::vector<ToolbarPosition> layout;
  layout.push_back(Button(ToolbarButton::kNew, "New Table", &File<FileIcon::kNew>,
                          [](session::Session& session) { session.Commands().New(); }));
  layout.push_back(Button(ToolbarButton::kOpen, "Open Table", &File<FileIcon::kOpen>,
                          [](session::Session& session) { session.Commands().Open(); }));
  layout.push_back(Button(ToolbarButton::kSave, "Save current Table", &File<FileIcon::kSave>,
                          [](session::Session& session) { session.Commands().Save(); }));
  layout.push_back(Separator(ToolbarButton::kSeparator4));
  layout.push_back(Button(ToolbarButton::kSetSpecial, "Set current cell as Special Character",
                          &Drawn<ToolIcon::kSetSpecial>,
                          [](session::Session& session) { session.SetSpecialCharacter(); }));
  layout.push_back(Button(ToolbarButton::kUnsetSpecial, "Unset current cell as Special Character",
                          &Drawn<ToolIcon::kUnsetSpecial>,
                          [](session::Session& session) { session.UnsetSpecialCharacter(); }));
  layout.push_back(Separator(ToolbarButton::kSeparator7));
  layout.push_back(Button(ToolbarButton::kUpperCase, "Upper case Autocompletion",
                          &Drawn<ToolIcon::kUpperCase>, Fill(FillCommand::Range('A', 'Z'))));
  layout.push_back(Button(ToolbarButton::kLowerCase, "Low case Autocompletion",
                          &Drawn<ToolIcon::kLowerCase>, Fill(FillCommand::Range('a', 'z'))));
  layout.push_back(Button(ToolbarButton::kNumbers, "Number Autocompletion",
                          &Drawn<ToolIcon::kNumber>, Fill(FillCommand::Range('0', '9'))));
  layout.push_back(Separator(ToolbarButton::kSeparator11));
  layout.push_back(DropDown(
      ToolbarButton::kRomaji, "Romaji...", &Drawn<ToolIcon::kRomaji>,
      {{"Suoni Puri maiuscoli",
        FillCommand::Table(KanaTable::kRomajiPure, InputMode::kAscii, true)},
       {"Suoni Puri minuscoli", FillCommand::Table(KanaTable::kRomajiPure, InputMode::kAscii)},
       {"Suoni Impuri/Semipuri maiuscoli",
        FillCommand::Table(KanaTable::kRomajiImpure, InputMode::kAscii, true)},
       {"Suoni Impuri/Semipuri minuscoli",
        FillCommand::Table(KanaTable::kRomajiImpure, InputMode::kAscii)}}));
  layout.push_back(DropDown(ToolbarButton::kKatakana, "Katakana...", &Drawn<ToolIcon::kKatakana>,
                            kana_items(InputMode::kKatakana)));
  layout.push_back(DropDown(ToolbarButton::kHiragana, "Hiragana...", &Drawn<ToolIcon::kHiragana>,
                            kana_items(InputMode::kHiragana)));
  return layout;
}

}  // namespace

const std::vector<ToolbarPosition>& Toolbar1Layout() {
  static const std::vector<ToolbarPosition> layout = BuildLayout();
  return layout;
}

const ToolbarPosition* FindToolbarPosition(int button) {
  const std::vector<ToolbarPosition>& layout = Toolbar1Layout();
  const auto found = std::find_if(layout.begin(), layout.end(), [button](const auto& position) {
    return static_cast<int>(position.button) == button;
  });
  return found == layout.end() ? nullptr : &*found;
}

}  // namespace orvane::ui
