// Menus, toolbar, status bar and the dispatch tables of the main window.
#include "editing/fill_commands.h"
#include "editing/special_characters.h"
#include "ui/frm_orvane.h"
#include "ui/icons.h"
#include "ui/side_windows.h"
#include "ui/status_panel.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace orvane::ui {
namespace {

QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                 const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QLatin1String(name));
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WindowShortcut);
  return action;
}

struct ToolButtonLayout {
  int number;
  const char* tooltip;
  std::function<QIcon()> icon;
};

}  // namespace

void frmOrvane::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* mnu_new = AddItem(file, "mnuNew", QStringLiteral("&New Table..."), QKeySequence::New);
  QAction* mnu_open =
      AddItem(file, "mnuOpen", QStringLiteral("&Open Table..."), QKeySequence::Open);
  QAction* mnu_save = AddItem(file, "mnuSave", QStringLiteral("&Save Table"), QKeySequence::Save);
  QAction* mnu_save_as = AddItem(file, "mnuSaveAs", QStringLiteral("S&ave Table as..."));
  QAction* mnu_close =
      AddItem(file, "mnuClose", QStringLiteral("&Quit Orvane"), QKeySequence(Qt::CTRL | Qt::Key_Q));
  // The pictures beside the first three items, the same whether checked or not.
  mnu_new->setIcon(FileCommandIcon(FileIcon::kNew));
  mnu_open->setIcon(FileCommandIcon(FileIcon::kOpen));
  mnu_save->setIcon(FileCommandIcon(FileIcon::kSave));
  connect(mnu_new, &QAction::triggered, &commands_, &commands::DocumentCommands::New);
  connect(mnu_open, &QAction::triggered, &commands_, &commands::DocumentCommands::Open);
  connect(mnu_save, &QAction::triggered, &commands_, &commands::DocumentCommands::Save);
  connect(mnu_save_as, &QAction::triggered, this, [this] { (void)commands_.SaveAs(); });
  connect(mnu_close, &QAction::triggered, &commands_, &commands::DocumentCommands::Quit);

  QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
  options->setObjectName(QStringLiteral("mnuOptions"));
  QAction* mnu_book = AddItem(options, "mnuBook", QStringLiteral("&Bookmarks Manager"));
  QAction* mnu_extra = AddItem(options, "mnuExtra", QStringLiteral("&Extra Lines Manager"));
  QMenu* input = options->addMenu(QStringLiteral("&Input Mode..."));
  input->setObjectName(QStringLiteral("mnuInput"));
  input->menuAction()->setObjectName(QStringLiteral("mnuInput"));
  mode_actions_ = {AddItem(input, "mnuASCII", QStringLiteral("ASCII"), Qt::CTRL | Qt::Key_A),
                   AddItem(input, "mnuHira", QStringLiteral("Hiragana"), Qt::CTRL | Qt::Key_H),
                   AddItem(input, "mnuKata", QStringLiteral("Katakana"), Qt::CTRL | Qt::Key_K)};
  for (int i = 0; i < 3; ++i) {
    QAction* action = mode_actions_[static_cast<size_t>(i)];
    action->setCheckable(true);
    const auto mode = static_cast<kana::InputMode>(i + 1);
    connect(action, &QAction::triggered, this, [this, mode] { SetInputMode(mode); });
  }
  connect(mnu_book, &QAction::triggered, this,
          [this] { ShowSideWindow(&SideWindows::ShowBookmarksManager); });
  connect(mnu_extra, &QAction::triggered, this,
          [this] { ShowSideWindow(&SideWindows::ShowExtraLinesManager); });

  QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  QAction* mnu_readme = AddItem(help, "mnuReadme", QStringLiteral("&Readme..."));
  QAction* mnu_about = AddItem(help, "mnuAbout", QStringLiteral("&About Orvane..."));
  connect(mnu_readme, &QAction::triggered, this,
          [this] { ShowSideWindow(&SideWindows::ShowReadme); });
  connect(mnu_about, &QAction::triggered, this,
          [this] { ShowSideWindow(&SideWindows::ShowAbout); });
}

void frmOrvane::BuildToolbar() {
  toolbar_ = addToolBar(QStringLiteral("Toolbar1"));
  toolbar_->setObjectName(QStringLiteral("Toolbar1"));
  toolbar_->setMovable(false);
  toolbar_->setFloatable(false);
  toolbar_->setIconSize(QSize(16, 16));
  toolbar_->setContextMenuPolicy(Qt::PreventContextMenu);
  const std::vector<ToolButtonLayout> buttons = {
      {1, "New Table", [] { return FileCommandIcon(FileIcon::kNew); }},
      {2, "Open Table", [] { return FileCommandIcon(FileIcon::kOpen); }},
      {3, "Save current Table", [] { return FileCommandIcon(FileIcon::kSave); }},
      {4, nullptr, nullptr},
      {5, "Set current cell as Special Character", [] { return DrawnIcon(ToolIcon::kSetSpecial); }},
      {6, "Unset current cell as Special Character",
       [] { return DrawnIcon(ToolIcon::kUnsetSpecial); }},
      {7, nullptr, nullptr},
      {8, "Upper case Autocompletion", [] { return DrawnIcon(ToolIcon::kUpperCase); }},
      {9, "Low case Autocompletion", [] { return DrawnIcon(ToolIcon::kLowerCase); }},
      {10, "Number Autocompletion", [] { return DrawnIcon(ToolIcon::kNumber); }},
      {11, nullptr, nullptr},
      {12, "Romaji...", [] { return DrawnIcon(ToolIcon::kRomaji); }},
      {13, "Katakana...", [] { return DrawnIcon(ToolIcon::kKatakana); }},
      {14, "Hiragana...", [] { return DrawnIcon(ToolIcon::kHiragana); }},
  };
  const std::map<int, QStringList> menus = {
      {12,
       {QStringLiteral("Suoni Puri maiuscoli"), QStringLiteral("Suoni Puri minuscoli"),
        QStringLiteral("Suoni Impuri/Semipuri maiuscoli"),
        QStringLiteral("Suoni Impuri/Semipuri minuscoli")}},
      {13, {QStringLiteral("Suoni Puri"), QStringLiteral("Suoni Impuri/Semipuri")}},
      {14, {QStringLiteral("Suoni Puri"), QStringLiteral("Suoni Impuri/Semipuri")}},
  };
  for (const ToolButtonLayout& layout : buttons) {
    if (layout.tooltip == nullptr) {
      toolbar_->addSeparator()->setObjectName(
          QStringLiteral("Toolbar1_Button%1").arg(layout.number));
      continue;
    }
    QAction* action = toolbar_->addAction(layout.icon(), QString());
    action->setObjectName(QStringLiteral("Toolbar1_Button%1").arg(layout.number));
    action->setToolTip(QLatin1String(layout.tooltip));
    const int number = layout.number;
    connect(action, &QAction::triggered, this, [this, number] { Toolbar1_ButtonClick(number); });
    if (const auto items = menus.find(number); items != menus.end()) {
      AddDropDown(action, number, items->second);
    }
  }
}

void frmOrvane::AddDropDown(QAction* action, int button, const QStringList& items) {
  auto* menu = new QMenu(this);
  for (int item = 1; item <= items.size(); ++item) {
    QAction* entry = menu->addAction(items.at(item - 1));
    entry->setObjectName(QStringLiteral("Toolbar1_Button%1_Item%2").arg(button).arg(item));
    connect(entry, &QAction::triggered, this,
            [this, button, item] { Toolbar1_ButtonMenuClick(button, item); });
  }
  auto* tool_button = qobject_cast<QToolButton*>(toolbar_->widgetForAction(action));
  tool_button->setMenu(menu);
  // Pressing the button itself does what its first item does.
  tool_button->setPopupMode(QToolButton::MenuButtonPopup);
}

void frmOrvane::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("SB"));
  bar->setSizeGripEnabled(false);
  const QFont font = ComicFont(8.25);
  bar->setFont(font);
  struct Panel {
    const char* text;
    int width;
    Qt::Alignment alignment;
  };
  const std::array<Panel, 6> panels = {{{"Selected code: 00=''", 0, Qt::AlignLeft},
                                        {"MODIFIED", 80, Qt::AlignHCenter},
                                        {"CAPS", 86, Qt::AlignHCenter},
                                        {"ASC", 32, Qt::AlignLeft},
                                        {"HIR", 32, Qt::AlignLeft},
                                        {"KAT", 32, Qt::AlignLeft}}};
  for (size_t i = 0; i < panels.size(); ++i) {
    auto* panel =
        new StatusPanel(QLatin1String(panels[i].text), panels[i].width, panels[i].alignment, bar);
    panel->setObjectName(QStringLiteral("SB_Panel%1").arg(i + 1));
    const int number = static_cast<int>(i) + 1;
    connect(panel, &StatusPanel::clicked, this, [this, number] { SB_PanelClick(number); });
    bar->addWidget(panel, i == 0 ? 1 : 0);
    panels_[i] = panel;
  }
  // The first panel takes what the others leave, never less than 150, and clips long texts.
  panels_[0]->setMinimumWidth(150);
  panels_[0]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  panels_[4]->setEnabled(false);
  panels_[5]->setEnabled(false);
  panels_[1]->setEnabled(false);
}

void frmOrvane::BuildDispatchTables() {
  button_commands_ = {
      {1, [this] { commands_.New(); }},
      {2, [this] { commands_.Open(); }},
      {3, [this] { commands_.Save(); }},
      {5, [this] { editing::SetSpecialCharacter(document_, state_, answers_); }},
      {6, [this] { editing::UnsetSpecialCharacter(document_, state_); }},
  };
}

void frmOrvane::Toolbar1_ButtonClick(int button) {
  if (const auto command = button_commands_.find(button); command != button_commands_.end()) {
    command->second();
  } else if (const auto fill = editing::ToolbarFill(button)) {
    editing::RunFill(*fill, document_, state_);
  }
}

void frmOrvane::Toolbar1_ButtonMenuClick(int button, int item) {
  if (const auto fill = editing::DropDownFill(button, item)) {
    editing::RunFill(*fill, document_, state_);
  }
}

void frmOrvane::SB_PanelClick(int panel) {
  if (panel >= 4 && panel <= 6) SetInputMode(static_cast<kana::InputMode>(panel - 3));
}

}  // namespace orvane::ui
