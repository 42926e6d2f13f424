// Menus, toolbar, status bar and the dispatch of the main window.
#include "session/session.h"
#include "ui/frm_orvane.h"
#include "ui/icons.h"
#include "ui/page_selector.h"
#include "ui/side_windows.h"
#include "ui/status_panel.h"
#include "ui/table_grid.h"
#include "ui/toolbar1.h"

#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

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

// The input modes as the menu and the status bar show them.
struct ModeItem {
  kana::InputMode mode;
  const char* name;
  const char* caption;
  QKeyCombination shortcut;
};
constexpr std::array<ModeItem, 3> kModeItems = {{
    {kana::InputMode::kAscii, "mnuASCII", "ASCII", Qt::CTRL | Qt::Key_A},
    {kana::InputMode::kHiragana, "mnuHira", "Hiragana", Qt::CTRL | Qt::Key_H},
    {kana::InputMode::kKatakana, "mnuKata", "Katakana", Qt::CTRL | Qt::Key_K},
}};

// The object name of an encoding's item in a submenu: "EUC-JP" gives "EucJp".
QString EncodingItemName(const char* menu, text::Encoding encoding) {
  static constexpr std::array<const char*, 4> kNames = {"EucJp", "ShiftJis", "Utf8", "Windows1252"};
  return QLatin1String(menu) + QLatin1String(kNames[static_cast<size_t>(encoding)]);
}

// The captions give each encoding an access key of its own within its submenu.
QString EncodingCaption(text::Encoding encoding) { return u'&' + text::EncodingName(encoding); }

QString ToolbarName(ToolbarButton button) {
  return QStringLiteral("Toolbar1_Button%1").arg(static_cast<int>(button));
}

}  // namespace

void frmOrvane::BuildMenus() {
  commands::DocumentCommands& commands = session_.Commands();
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
  connect(mnu_new, &QAction::triggered, &commands, &commands::DocumentCommands::New);
  connect(mnu_open, &QAction::triggered, &commands, &commands::DocumentCommands::Open);
  connect(mnu_save, &QAction::triggered, &commands, &commands::DocumentCommands::Save);
  connect(mnu_save_as, &QAction::triggered, this, [&commands] { (void)commands.SaveAs(); });
  connect(mnu_close, &QAction::triggered, &commands, &commands::DocumentCommands::Quit);

  BuildEditMenu();

  QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
  options->setObjectName(QStringLiteral("mnuOptions"));
  QAction* mnu_book = AddItem(options, "mnuBook", QStringLiteral("&Bookmarks Manager"));
  QAction* mnu_extra = AddItem(options, "mnuExtra", QStringLiteral("&Extra Lines Manager"));
  QMenu* input = options->addMenu(QStringLiteral("&Input Mode..."));
  input->setObjectName(QStringLiteral("mnuInput"));
  input->menuAction()->setObjectName(QStringLiteral("mnuInput"));
  for (size_t i = 0; i < kModeItems.size(); ++i) {
    const ModeItem& item = kModeItems[i];
    QAction* action = AddItem(input, item.name, QLatin1String(item.caption), item.shortcut);
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, mode = item.mode] { SetInputMode(mode); });
    mode_actions_[i] = action;
  }
  BuildLayoutItem(options);
  BuildEncodingMenus(options);
  SideWindows& side = side_windows_;
  connect(mnu_book, &QAction::triggered, this, [&side] { side.ShowBookmarksManager(); });
  connect(mnu_extra, &QAction::triggered, this, [&side] { side.ShowExtraLinesManager(); });

  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
  tools->setObjectName(QStringLiteral("mnuTools"));
  QAction* mnu_data = AddItem(tools, "mnuData", QStringLiteral("&Game Data..."),
                              QKeySequence(Qt::CTRL | Qt::Key_D));
  connect(mnu_data, &QAction::triggered, this, [&side] { side.ShowGameData(); });
  QAction* mnu_check = AddItem(tools, "mnuCheck", QStringLiteral("Check &Table..."));
  connect(mnu_check, &QAction::triggered, this, [&side] { side.ShowTableCheck(); });

  QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  QAction* mnu_readme = AddItem(help, "mnuReadme", QStringLiteral("&Readme..."));
  QAction* mnu_about = AddItem(help, "mnuAbout", QStringLiteral("&About Orvane..."));
  connect(mnu_readme, &QAction::triggered, this, [&side] { side.ShowReadme(); });
  connect(mnu_about, &QAction::triggered, this, [&side] { side.ShowAbout(); });
}

void frmOrvane::BuildEditMenu() {
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("mnuEdit"));
  mnu_undo_ = AddItem(edit, "mnuUndo", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
  mnu_redo_ = AddItem(edit, "mnuRedo", QStringLiteral("&Redo"));
  mnu_redo_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  edit->addSeparator();
  QAction* mnu_copy = AddItem(edit, "mnuCopy", QStringLiteral("&Copy"), QKeySequence::Copy);
  QAction* mnu_paste = AddItem(edit, "mnuPaste", QStringLiteral("&Paste"), QKeySequence::Paste);
  connect(mnu_undo_, &QAction::triggered, &session_, &session::Session::Undo);
  connect(mnu_redo_, &QAction::triggered, &session_, &session::Session::Redo);
  connect(mnu_copy, &QAction::triggered, this,
          [this] { QGuiApplication::clipboard()->setText(session_.CopyText()); });
  connect(mnu_paste, &QAction::triggered, this,
          [this] { session_.PasteText(QGuiApplication::clipboard()->text()); });
  connect(&session_, &session::Session::historyChanged, this, &frmOrvane::ShowHistory);
  connect(&session_, &session::Session::status, this, &frmOrvane::ShowStatus);
  ShowHistory();
  BuildFindItems(edit);
  BuildPageKeys();
}

void frmOrvane::BuildFindItems(QMenu* edit) {
  edit->addSeparator();
  QAction* mnu_go_to = AddItem(edit, "mnuGoTo", QStringLiteral("&Go to Code..."),
                               QKeySequence(Qt::CTRL | Qt::Key_G));
  QAction* mnu_find = AddItem(edit, "mnuFind", QStringLiteral("&Find..."), QKeySequence::Find);
  QAction* mnu_find_next =
      AddItem(edit, "mnuFindNext", QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3));
  edit->addSeparator();
  QAction* mnu_control = AddItem(edit, "mnuControlCode", QStringLiteral("Con&trol Code..."));
  connect(mnu_control, &QAction::triggered, &session_, &session::Session::EditControlCode);
  connect(mnu_go_to, &QAction::triggered, &session_, &session::Session::AskGoToCode);
  connect(mnu_find, &QAction::triggered, this, [this] { (void)session_.AskFind(); });
  connect(mnu_find_next, &QAction::triggered, this, [this] { (void)session_.FindNext(); });
}

// The keys that move between pages; they have no menu items, as the arrow keys have none.
void frmOrvane::BuildPageKeys() {
  struct PageKey {
    const char* name;
    QKeyCombination key;
    void (*go)(session::Session&);
  };
  static constexpr std::array<PageKey, 3> kPageKeys = {{
      {"keyNextPage", Qt::CTRL | Qt::Key_PageDown, [](session::Session& s) { s.StepPage(1); }},
      {"keyPreviousPage", Qt::CTRL | Qt::Key_PageUp, [](session::Session& s) { s.StepPage(-1); }},
      {"keyParentPage", Qt::ALT | Qt::Key_Up, [](session::Session& s) { s.OpenParentPage(); }},
  }};
  for (const PageKey& key : kPageKeys) {
    auto* action = new QAction(this);
    action->setObjectName(QLatin1String(key.name));
    action->setShortcut(key.key);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, [this, go = key.go] {
      go(session_);
      grid_->setFocus();
    });
  }
}

void frmOrvane::ShowHistory() {
  const auto show = [](QAction* action, const QString& caption, const QString& step, bool can) {
    action->setText(step.isEmpty() ? caption : caption + u' ' + step);
    action->setEnabled(can);
  };
  show(mnu_undo_, QStringLiteral("&Undo"), session_.UndoName(), session_.CanUndo());
  show(mnu_redo_, QStringLiteral("&Redo"), session_.RedoName(), session_.CanRedo());
}

// Kept between runs, beside the Game Data window's recent files.
constexpr char kKeepLayoutSetting[] = "KeepFileLayout";

void frmOrvane::BuildLayoutItem(QMenu* options) {
  QAction* mnu_layout = AddItem(options, "mnuLayout", QStringLiteral("Keep File &Layout"));
  mnu_layout->setCheckable(true);
  mnu_layout->setToolTip(
      QStringLiteral("Save an opened table with its own line order, line ends, blank lines and "
                     "spelling: only what you changed changes."));
  options->setToolTipsVisible(true);
  QSettings settings(QStringLiteral("Orvane"), QStringLiteral("Orvane"));
  const bool keep = settings.value(QLatin1String(kKeepLayoutSetting), false).toBool();
  mnu_layout->setChecked(keep);
  session_.Commands().SetKeepLayout(keep);
  connect(mnu_layout, &QAction::toggled, this, [this](bool checked) {
    session_.Commands().SetKeepLayout(checked);
    QSettings(QStringLiteral("Orvane"), QStringLiteral("Orvane"))
        .setValue(QLatin1String(kKeepLayoutSetting), checked);
  });
}

void frmOrvane::BuildEncodingMenus(QMenu* options) {
  // C and V: the Options menu's B, E and I open the managers and the input modes.
  QMenu* encoding = options->addMenu(QStringLiteral("En&coding"));
  encoding->setObjectName(QStringLiteral("mnuEncoding"));
  encoding->menuAction()->setObjectName(QStringLiteral("mnuEncoding"));
  encoding_group_ = new QActionGroup(encoding);
  for (const text::Encoding choice : text::kEncodings) {
    QAction* item = encoding->addAction(EncodingCaption(choice));
    item->setObjectName(EncodingItemName("mnuEncoding", choice));
    item->setCheckable(true);
    encoding_group_->addAction(item);
    connect(item, &QAction::triggered, this, [this, choice] { session_.SetEncoding(choice); });
    encoding_actions_[static_cast<size_t>(choice)] = item;
  }
  encoding->addSeparator();
  encoding_form_ = encoding->addAction(QString());
  encoding_form_->setObjectName(QStringLiteral("mnuEncodingForm"));
  encoding_form_->setEnabled(false);

  QMenu* convert = options->addMenu(QStringLiteral("Con&vert Table To"));
  convert->setObjectName(QStringLiteral("mnuConvert"));
  convert->menuAction()->setObjectName(QStringLiteral("mnuConvert"));
  convert->setToolTipsVisible(true);
  for (const text::Encoding target : text::kEncodings) {
    QAction* item = convert->addAction(EncodingCaption(target));
    item->setObjectName(EncodingItemName("mnuConvert", target));
    item->setToolTip(QStringLiteral("Rewrites every text of the table in %1. The file is then "
                                    "written plainly in it, without a byte-order mark or UTF-16.")
                         .arg(text::EncodingName(target)));
    connect(item, &QAction::triggered, this, [this, target] { session_.ConvertTable(target); });
    convert_actions_[static_cast<size_t>(target)] = item;
  }
  connect(options, &QMenu::aboutToShow, this, &frmOrvane::ShowEncoding);
}

void frmOrvane::ShowEncoding() {
  const model::TableDocument& document = session_.Document();
  const text::FileForm form = document.Form();
  const bool utf16 = text::IsUtf16(form);
  for (const text::Encoding choice : text::kEncodings) {
    QAction* item = encoding_actions_[static_cast<size_t>(choice)];
    item->setChecked(choice == document.Encoding());
    // UTF-16 holds characters, not bytes of an encoding: there is nothing to read otherwise.
    item->setEnabled(!utf16);
    // A plain table converted to its own encoding would change nothing but the modified flag;
    // with a mark or UTF-16, the conversion writes it plainly.
    convert_actions_[static_cast<size_t>(choice)]->setEnabled(choice != document.Encoding() ||
                                                              form != text::FileForm::kPlain);
  }
  QString line;
  if (utf16) {
    line = QStringLiteral("Written as %1").arg(text::FormName(form));
  } else if (form == text::FileForm::kUtf8Bom) {
    line = QStringLiteral("Written as UTF-8 with BOM; another encoding is saved without it");
  }
  encoding_form_->setText(line);
  encoding_form_->setVisible(!line.isEmpty());
}

void frmOrvane::ShowInputMode() {
  const kana::InputMode mode = session_.State().InputMode();
  for (size_t i = 0; i < kModeItems.size(); ++i) {
    const kana::InputMode shown = kModeItems[i].mode;
    mode_actions_[i]->setChecked(shown == mode);
    PanelWidget(PanelOfMode(shown))->setEnabled(shown == mode);
  }
}

void frmOrvane::BuildToolbar() {
  toolbar_ = addToolBar(QStringLiteral("Toolbar1"));
  toolbar_->setObjectName(QStringLiteral("Toolbar1"));
  toolbar_->setMovable(false);
  toolbar_->setFloatable(false);
  toolbar_->setIconSize(QSize(16, 16));
  toolbar_->setContextMenuPolicy(Qt::PreventContextMenu);
  for (const ToolbarPosition& position : Toolbar1Layout()) {
    const int number = static_cast<int>(position.button);
    if (position.tooltip == nullptr) {
      toolbar_->addSeparator()->setObjectName(ToolbarName(position.button));
      continue;
    }
    QAction* action = toolbar_->addAction(position.icon(), QString());
    action->setObjectName(ToolbarName(position.button));
    action->setToolTip(QLatin1String(position.tooltip));
    connect(action, &QAction::triggered, this, [this, number] { Toolbar1_ButtonClick(number); });
    if (position.items.empty()) continue;
    auto* menu = new QMenu(this);
    for (int item = 1; item <= static_cast<int>(position.items.size()); ++item) {
      QAction* entry =
          menu->addAction(QLatin1String(position.items[static_cast<size_t>(item - 1)].caption));
      entry->setObjectName(ToolbarName(position.button) + QStringLiteral("_Item%1").arg(item));
      connect(entry, &QAction::triggered, this,
              [this, number, item] { Toolbar1_ButtonMenuClick(number, item); });
    }
    auto* tool_button = qobject_cast<QToolButton*>(toolbar_->widgetForAction(action));
    tool_button->setMenu(menu);
    // Pressing the button itself does what its first item does.
    tool_button->setPopupMode(QToolButton::MenuButtonPopup);
  }
  // The page selector at the right end.
  auto* spacer = new QWidget(toolbar_);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  toolbar_->addWidget(spacer);
  toolbar_->addWidget(new PageSelector(session_, grid_, toolbar_));
}

void frmOrvane::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("SB"));
  bar->setSizeGripEnabled(false);
  bar->setFont(ComicFont(8.25));
  struct PanelLayout {
    Panel panel;
    const char* text;
    int width;
    Qt::Alignment alignment;
  };
  const std::array<PanelLayout, 6> layouts = {
      {{Panel::kSelectedCode, "Selected code: 00=''", 0, Qt::AlignLeft},
       {Panel::kModified, "MODIFIED", 80, Qt::AlignHCenter},
       {Panel::kCaps, "CAPS", 86, Qt::AlignHCenter},
       {Panel::kAscii, "ASC", 32, Qt::AlignLeft},
       {Panel::kHiragana, "HIR", 32, Qt::AlignLeft},
       {Panel::kKatakana, "KAT", 32, Qt::AlignLeft}}};
  for (size_t i = 0; i < layouts.size(); ++i) {
    const PanelLayout& layout = layouts[i];
    auto* panel = new StatusPanel(QLatin1String(layout.text), layout.width, layout.alignment, bar);
    const int number = static_cast<int>(layout.panel);
    panel->setObjectName(QStringLiteral("SB_Panel%1").arg(number));
    connect(panel, &StatusPanel::clicked, this, [this, number] { SB_PanelClick(number); });
    const bool takes_the_rest = layout.panel == Panel::kSelectedCode;
    bar->addWidget(panel, takes_the_rest ? 1 : 0);
    panels_[i] = panel;
  }
  // The first panel takes what the others leave, never less than 150, and clips long texts.
  StatusPanel* selected = PanelWidget(Panel::kSelectedCode);
  selected->setMinimumWidth(150);
  selected->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void frmOrvane::Toolbar1_ButtonClick(int button) {
  const ToolbarPosition* position = FindToolbarPosition(button);
  if (position != nullptr && position->press) position->press(session_);
}

void frmOrvane::Toolbar1_ButtonMenuClick(int button, int item) {
  const ToolbarPosition* position = FindToolbarPosition(button);
  if (position == nullptr || item < 1 || item > static_cast<int>(position->items.size())) return;
  session_.RunFill(position->items[static_cast<size_t>(item - 1)].fill);
}

void frmOrvane::SB_PanelClick(int panel) {
  if (const auto mode = ModeOfPanel(static_cast<Panel>(panel))) SetInputMode(*mode);
}

}  // namespace orvane::ui
