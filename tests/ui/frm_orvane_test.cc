#include "ui/frm_orvane.h"

#include "support/temp_table.h"
#include "support/ui_rig.h"
#include "ui/table_grid.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace orvane::ui {
namespace {

// Counts the paints of one widget.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

}  // namespace

class FrmOrvaneTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void StartsAsAnEmptyUnnamedTable();
  void MenusHaveTheirCaptionsAndShortcuts_data();
  void MenusHaveTheirCaptionsAndShortcuts();
  void ToolbarHasFourteenPositionsInOrder();
  void DropDownsHaveTheirItems();
  void StatusBarHasSixPanels();
  void GridShowsAllCodesWithoutScrolling();
  void ShortcutsReachCommandsNeverTheGrid_data();
  void ShortcutsReachCommandsNeverTheGrid();
  void FileShortcutsReachTheCommands();
  void TypedKeysEditTheCurrentCell();
  void KeysWithCommandModifiersTypeNothing_data();
  void KeysWithCommandModifiersTypeNothing();
  void MouseClickMovesTheCursor();
  void CodeAtMapsOnlyTheSixteenBySixteenCells_data();
  void CodeAtMapsOnlyTheSixteenBySixteenCells();
  void MenuBarOffersNoWayToHideTheToolbar();
  void ArrowKeysMoveTheCursorAndPanelOne();
  void InputMethodTextIsAppendedInTheTableEncoding();
  void ToolbarAndDropDownDispatch();
  void EveryFillButtonWritesItsRun_data();
  void EveryFillButtonWritesItsRun();
  void PanelClicksSwitchModesOnlyFromFourToSix();
  void ControlCodesAreShownAndEditedApart();
  void MarkedCellsAreYellow();
  void FillRedrawsTheGridOnce();
  void CloseWithCancelKeepsTheWindow();

 private:
  QAction* Action(const char* name) const { return rig_->Action(name); }
  void Trigger(const char* name) const { rig_->Trigger(name); }
  frmOrvane& Window() const { return rig_->window; }
  QLabel* Panel(int number) const {
    return Window().findChild<QLabel*>(QStringLiteral("SB_Panel%1").arg(number));
  }
  QTableView* Grid() const { return Window().findChild<QTableView*>(QStringLiteral("TableGrid")); }
  QString CellShown(int code) const {
    return Grid()->model()->index(code / 16, code % 16).data().toString();
  }

  std::unique_ptr<testing::WindowRig> rig_;
};

void FrmOrvaneTest::init() { rig_ = std::make_unique<testing::WindowRig>(); }

void FrmOrvaneTest::cleanup() { rig_.reset(); }

void FrmOrvaneTest::StartsAsAnEmptyUnnamedTable() {
  QCOMPARE(Window().windowTitle(), testing::TitleFor(QStringLiteral("Unnamed")));
  QCOMPARE(Panel(1)->text(), QStringLiteral("Selected code: 00=''"));
  QVERIFY(!Panel(2)->isEnabled());
  QVERIFY(Panel(4)->isEnabled());
  QVERIFY(!Panel(5)->isEnabled());
  QVERIFY(!Panel(6)->isEnabled());
  QVERIFY(Action("mnuASCII")->isChecked());
  QVERIFY(!Action("mnuHira")->isChecked());
  QVERIFY(!Action("mnuKata")->isChecked());
  QCOMPARE(Grid()->currentIndex(), Grid()->model()->index(0, 0));
  QCOMPARE(QApplication::focusWidget(), Grid());
  QCOMPARE(Grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
  // Fixed size: no maximize box, and the size cannot change.
  QVERIFY(!(Window().windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(Window().windowFlags() & Qt::WindowMinimizeButtonHint);
  QCOMPARE(Window().minimumSize(), Window().maximumSize());
}

void FrmOrvaneTest::MenusHaveTheirCaptionsAndShortcuts_data() {
  QTest::addColumn<QString>("menu");
  QTest::addColumn<QStringList>("items");
  QTest::addColumn<QStringList>("captions");
  QTest::addColumn<QStringList>("shortcuts");
  QTest::newRow("&File") << QStringLiteral("mnuFile")
                         << QStringList{u"mnuNew"_s, u"mnuOpen"_s, u"mnuSave"_s, u"mnuSaveAs"_s,
                                        u"mnuClose"_s}
                         << QStringList{u"&New Table..."_s, u"&Open Table..."_s, u"&Save Table"_s,
                                        u"S&ave Table as..."_s, u"&Quit Orvane"_s}
                         << QStringList{u"Ctrl+N"_s, u"Ctrl+O"_s, u"Ctrl+S"_s, u""_s, u"Ctrl+Q"_s};
  QTest::newRow("&Edit") << QStringLiteral("mnuEdit")
                         << QStringList{u"mnuUndo"_s, u"mnuRedo"_s,       u""_s,
                                        u"mnuCopy"_s, u"mnuPaste"_s,      u""_s,
                                        u"mnuGoTo"_s, u"mnuFind"_s,       u"mnuFindNext"_s,
                                        u""_s,        u"mnuControlCode"_s}
                         << QStringList{u"&Undo"_s,
                                        u"&Redo"_s,
                                        u""_s,
                                        u"&Copy"_s,
                                        u"&Paste"_s,
                                        u""_s,
                                        u"&Go to Code..."_s,
                                        u"&Find..."_s,
                                        u"Find &Next"_s,
                                        u""_s,
                                        u"Con&trol Code..."_s}
                         << QStringList{u"Ctrl+Z"_s, u"Ctrl+Y"_s, u""_s,       u"Ctrl+C"_s,
                                        u"Ctrl+V"_s, u""_s,       u"Ctrl+G"_s, u"Ctrl+F"_s,
                                        u"F3"_s,     u""_s,       u""_s};
  // The encoding menus take C and V: Alt+O then B, E or I still reaches what it always did.
  QTest::newRow("&Options") << QStringLiteral("mnuOptions")
                            << QStringList{u"mnuBook"_s,   u"mnuExtra"_s,    u"mnuInput"_s,
                                           u"mnuLayout"_s, u"mnuEncoding"_s, u"mnuConvert"_s}
                            << QStringList{u"&Bookmarks Manager"_s, u"&Extra Lines Manager"_s,
                                           u"&Input Mode..."_s,     u"Keep File &Layout"_s,
                                           u"En&coding"_s,          u"Con&vert Table To"_s}
                            << QStringList{u""_s, u""_s, u""_s, u""_s, u""_s, u""_s};
  QTest::newRow("Con&vert Table To")
      << QStringLiteral("mnuConvert")
      << QStringList{u"mnuConvertEucJp"_s, u"mnuConvertShiftJis"_s, u"mnuConvertUtf8"_s,
                     u"mnuConvertWindows1252"_s}
      << QStringList{u"&EUC-JP"_s, u"&Shift-JIS"_s, u"&UTF-8"_s, u"&Windows-1252"_s}
      << QStringList{u""_s, u""_s, u""_s, u""_s};
  QTest::newRow("&Input Mode...") << QStringLiteral("mnuInput")
                                  << QStringList{u"mnuASCII"_s, u"mnuHira"_s, u"mnuKata"_s}
                                  << QStringList{u"ASCII"_s, u"Hiragana"_s, u"Katakana"_s}
                                  << QStringList{u"Ctrl+A"_s, u"Ctrl+H"_s, u"Ctrl+K"_s};
  QTest::newRow("&Tools") << QStringLiteral("mnuTools") << QStringList{u"mnuData"_s, u"mnuCheck"_s}
                          << QStringList{u"&Game Data..."_s, u"Check &Table..."_s}
                          << QStringList{u"Ctrl+D"_s, u""_s};
  QTest::newRow("&?") << QStringLiteral("mnuHelp") << QStringList{u"mnuReadme"_s, u"mnuAbout"_s}
                      << QStringList{u"&Readme..."_s, u"&About Orvane..."_s}
                      << QStringList{u""_s, u""_s};
}

void FrmOrvaneTest::MenusHaveTheirCaptionsAndShortcuts() {
  QFETCH(QString, menu);
  QFETCH(QStringList, items);
  QFETCH(QStringList, captions);
  QFETCH(QStringList, shortcuts);
  auto* found = Window().findChild<QMenu*>(menu);
  QVERIFY(found != nullptr);
  const QList<QAction*> actions = found->actions();
  QCOMPARE(actions.size(), items.size());
  for (qsizetype i = 0; i < items.size(); ++i) {
    QCOMPARE(actions[i]->objectName(), items[i]);
    QCOMPARE(actions[i]->text(), captions[i]);
    QCOMPARE(actions[i]->shortcut().toString(), shortcuts[i]);
  }
  const QList<QAction*> bar = Window().menuBar()->actions();
  QCOMPARE(bar.size(), 5);
  QCOMPARE(bar[0]->text(), QStringLiteral("&File"));
  QCOMPARE(bar[1]->text(), QStringLiteral("&Edit"));
  QCOMPARE(bar[2]->text(), QStringLiteral("&Options"));
  QCOMPARE(bar[3]->text(), QStringLiteral("&Tools"));
  QCOMPARE(bar[4]->text(), QStringLiteral("&?"));
  for (const char* pictured : {"mnuNew", "mnuOpen", "mnuSave"}) {
    QVERIFY(!Action(pictured)->icon().isNull());
  }
}

void FrmOrvaneTest::ToolbarHasFourteenPositionsInOrder() {
  auto* toolbar = Window().findChild<QToolBar*>(QStringLiteral("Toolbar1"));
  const QList<QAction*> positions = toolbar->actions();
  QCOMPARE(positions.size(), 16);  // the fourteen, then a spacer and the page selector
  const QStringList tooltips = {u"New Table"_s,
                                u"Open Table"_s,
                                u"Save current Table"_s,
                                u""_s,
                                u"Set current cell as Special Character"_s,
                                u"Unset current cell as Special Character"_s,
                                u""_s,
                                u"Upper case Autocompletion"_s,
                                u"Low case Autocompletion"_s,
                                u"Number Autocompletion"_s,
                                u""_s,
                                u"Romaji..."_s,
                                u"Katakana..."_s,
                                u"Hiragana..."_s};
  for (int i = 0; i < 14; ++i) {
    QAction* position = positions[i];
    QCOMPARE(position->objectName(), QStringLiteral("Toolbar1_Button%1").arg(i + 1));
    const bool separator = i + 1 == 4 || i + 1 == 7 || i + 1 == 11;
    QCOMPARE(position->isSeparator(), separator);
    if (separator) continue;
    QCOMPARE(position->toolTip(), tooltips[i]);
    QVERIFY(!position->icon().isNull());
    QVERIFY(position->text().isEmpty());
  }
}

void FrmOrvaneTest::DropDownsHaveTheirItems() {
  const std::map<int, QStringList> expected = {
      {12,
       {u"Suoni Puri maiuscoli"_s, u"Suoni Puri minuscoli"_s, u"Suoni Impuri/Semipuri maiuscoli"_s,
        u"Suoni Impuri/Semipuri minuscoli"_s}},
      {13, {u"Suoni Puri"_s, u"Suoni Impuri/Semipuri"_s}},
      {14, {u"Suoni Puri"_s, u"Suoni Impuri/Semipuri"_s}}};
  auto* toolbar = Window().findChild<QToolBar*>(QStringLiteral("Toolbar1"));
  for (const auto& [button, items] : expected) {
    auto* tool = qobject_cast<QToolButton*>(toolbar->widgetForAction(
        Action(qPrintable(QStringLiteral("Toolbar1_Button%1").arg(button)))));
    QVERIFY(tool != nullptr && tool->menu() != nullptr);
    QCOMPARE(tool->popupMode(), QToolButton::MenuButtonPopup);
    QStringList texts;
    for (QAction* item : tool->menu()->actions()) texts << item->text();
    QCOMPARE(texts, items);
  }
}

void FrmOrvaneTest::StatusBarHasSixPanels() {
  const QStringList texts = {
      u"Selected code: 00=''"_s, u"MODIFIED"_s, u"CAPS"_s, u"ASC"_s, u"HIR"_s, u"KAT"_s};
  const QList<int> widths = {-1, 80, 86, 32, 32, 32};
  int left = -1;
  for (int i = 1; i <= 6; ++i) {
    QLabel* panel = Panel(i);
    QVERIFY(panel != nullptr);
    QCOMPARE(panel->text(), texts[i - 1]);
    if (widths[i - 1] > 0) QCOMPARE(panel->width(), widths[i - 1]);
    QVERIFY(panel->x() > left);  // left to right in order
    left = panel->x();
  }
  QVERIFY(Panel(1)->width() >= 150);
  QVERIFY(Panel(1)->alignment() & Qt::AlignLeft);
  QVERIFY(Panel(2)->alignment() & Qt::AlignHCenter);
  QVERIFY(Panel(3)->alignment() & Qt::AlignHCenter);
  QVERIFY(!Panel(3)->isEnabled());  // the offscreen platform cannot tell Caps Lock
}

void FrmOrvaneTest::GridShowsAllCodesWithoutScrolling() {
  QTableView* grid = Grid();
  QCOMPARE(grid->model()->rowCount(), 16);
  QCOMPARE(grid->model()->columnCount(), 16);
  QStringList columns;
  QStringList rows;
  for (int n = 0; n < 16; ++n) {
    columns << grid->model()->headerData(n, Qt::Horizontal).toString();
    rows << grid->model()->headerData(n, Qt::Vertical).toString();
  }
  const QStringList digits = u"0 1 2 3 4 5 6 7 8 9 A B C D E F"_s.split(u' ');
  QCOMPARE(columns, digits);
  QCOMPARE(rows, digits);
  const QRect last = grid->visualRect(grid->model()->index(15, 15));
  QVERIFY(grid->viewport()->rect().contains(last));
  QVERIFY(!grid->horizontalScrollBar()->isVisible());
  QVERIFY(!grid->verticalScrollBar()->isVisible());
  QVERIFY(Window().rect().contains(grid->geometry()));
}

void FrmOrvaneTest::ShortcutsReachCommandsNeverTheGrid_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("mode");
  QTest::newRow("Ctrl+H is Hiragana, not Backspace") << int(Qt::Key_H) << 2;
  QTest::newRow("Ctrl+K is Katakana") << int(Qt::Key_K) << 3;
  QTest::newRow("Ctrl+A is ASCII, not select all") << int(Qt::Key_A) << 1;
}

void FrmOrvaneTest::ShortcutsReachCommandsNeverTheGrid() {
  QFETCH(int, key);
  QFETCH(int, mode);
  rig_->State().SetInputMode(kana::InputMode::kKatakana);
  if (mode == 3) rig_->State().SetInputMode(kana::InputMode::kAscii);
  rig_->Document().SetCellText(0, "AB");
  QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), Qt::ControlModifier);
  QCOMPARE(static_cast<int>(rig_->State().InputMode()), mode);
  QCOMPARE(rig_->Document().GetCellText(0), QByteArray("AB"));
  QVERIFY(!rig_->Document().IsModified());
  const std::array<const char*, 3> items = {"mnuASCII", "mnuHira", "mnuKata"};
  for (int i = 0; i < 3; ++i) {
    QCOMPARE(Action(items[static_cast<size_t>(i)])->isChecked(), i + 1 == mode);
    QCOMPARE(Panel(4 + i)->isEnabled(), i + 1 == mode);
  }
}

void FrmOrvaneTest::FileShortcutsReachTheCommands() {
  rig_->answers.QueueFile(std::nullopt);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
  rig_->answers.QueueFile(std::nullopt);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(rig_->answers.dialogs.size(), 2);
  QCOMPARE(rig_->answers.dialogs[0].form, editing::Answers::FileDialogForm::kOpen);
  QCOMPARE(rig_->answers.dialogs[1].form, editing::Answers::FileDialogForm::kSave);
  rig_->Document().SetCellText(0x41, "A");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
  QVERIFY(rig_->Document().GetCellText(0x41).isEmpty());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
  QCOMPARE(rig_->answers.close_requests, 1);
  QVERIFY(rig_->answers.AllAnswersUsed());
}

void FrmOrvaneTest::TypedKeysEditTheCurrentCell() {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ka"));
  QCOMPARE(rig_->Document().GetCellText(0), QByteArray("\xA4\xAB"));
  QCOMPARE(CellShown(0), QStringLiteral("\u304B"));
  QCOMPARE(Panel(1)->text(), QStringLiteral("Selected code: 00='\u304B'"));
  QVERIFY(Panel(2)->isEnabled());
  QCOMPARE(rig_->State().CursorCode(), quint8{0});  // typing never moves the cursor
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
  QVERIFY(rig_->Document().GetCellText(0).isEmpty());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
  QVERIFY(rig_->Document().GetCellText(0).isEmpty());
  QCOMPARE(Panel(1)->text(), QStringLiteral("Selected code: 00=''"));
  // Latin-1 characters arrive as their byte.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_Eacute,
                      QStringLiteral("\u00E9"), Qt::NoModifier);
  QCOMPARE(rig_->Document().GetCellText(0), QByteArray("\xE9"));
}

void FrmOrvaneTest::KeysWithCommandModifiersTypeNothing_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<QByteArray>("typed");
  // The texts are those X11 sends with each combination.
  QTest::newRow("Ctrl+1") << int(Qt::Key_1) << u"1"_s << int(Qt::ControlModifier) << ""_ba;
  QTest::newRow("Alt+Z") << int(Qt::Key_Z) << u"z"_s << int(Qt::AltModifier) << ""_ba;
  QTest::newRow("Super+X") << int(Qt::Key_X) << u"x"_s << int(Qt::MetaModifier) << ""_ba;
  QTest::newRow("Ctrl+Shift+E") << int(Qt::Key_E) << u"E"_s
                                << int(Qt::ControlModifier | Qt::ShiftModifier) << ""_ba;
  QTest::newRow("Shift+A") << int(Qt::Key_A) << u"A"_s << int(Qt::ShiftModifier) << "A"_ba;
  QTest::newRow("keypad 5") << int(Qt::Key_5) << u"5"_s << int(Qt::KeypadModifier) << "5"_ba;
  QTest::newRow("AltGr @") << int(Qt::Key_At) << u"@"_s << int(Qt::GroupSwitchModifier) << "@"_ba;
  QTest::newRow("AltGr euro") << int(Qt::Key_currency) << u"\u20AC"_s
                              << int(Qt::GroupSwitchModifier) << "\x80"_ba;
}

void FrmOrvaneTest::KeysWithCommandModifiersTypeNothing() {
  QFETCH(int, key);
  QFETCH(QString, text);
  QFETCH(int, modifiers);
  QFETCH(QByteArray, typed);
  QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), static_cast<Qt::Key>(key), text,
                      Qt::KeyboardModifiers(modifiers));
  QCOMPARE(rig_->Document().GetCellText(0), typed);
  QCOMPARE(rig_->Document().IsModified(), !typed.isEmpty());
}

void FrmOrvaneTest::MouseClickMovesTheCursor() {
  rig_->Document().SetCellText(0x3C, "x");
  const QModelIndex cell = Grid()->model()->index(3, 12);
  QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->visualRect(cell).center());
  QCOMPARE(rig_->State().CursorCode(), quint8{0x3C});
  QCOMPARE(Panel(1)->text(), QStringLiteral("Selected code: 3C='x'"));
}

void FrmOrvaneTest::CodeAtMapsOnlyTheSixteenBySixteenCells_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("code");  // -1: no code
  QTest::newRow("first") << 0 << 0 << 0x00;
  QTest::newRow("end of the first row") << 0 << 15 << 0x0F;
  QTest::newRow("second row") << 1 << 0 << 0x10;
  QTest::newRow("last") << 15 << 15 << 0xFF;
  QTest::newRow("row past the end") << 16 << 0 << -1;
  QTest::newRow("column past the end") << 0 << 16 << -1;
  QTest::newRow("row before the start") << -1 << 5 << -1;
  QTest::newRow("column before the start") << 5 << -1 << -1;
  QTest::newRow("both out") << 16 << 16 << -1;
}

void FrmOrvaneTest::CodeAtMapsOnlyTheSixteenBySixteenCells() {
  QFETCH(int, row);
  QFETCH(int, column);
  QFETCH(int, code);
  const std::optional<quint8> found = TableGridModel::CodeAt(row, column);
  QCOMPARE(found.has_value(), code >= 0);
  if (found) QCOMPARE(int{*found}, code);
}

void FrmOrvaneTest::MenuBarOffersNoWayToHideTheToolbar() {
  // What a right-click on the menu bar or the toolbar shows.
  QMenu* menu = static_cast<QMainWindow&>(Window()).createPopupMenu();
  QVERIFY2(menu == nullptr, "the menu bar's context menu would hide the toolbar");
}

void FrmOrvaneTest::ArrowKeysMoveTheCursorAndPanelOne() {
  rig_->Document().SetCellText(0x11, "x");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QCOMPARE(rig_->State().CursorCode(), quint8{0x11});
  QCOMPARE(Panel(1)->text(), QStringLiteral("Selected code: 11='x'"));
  rig_->State().SelectCode(0xFF);
  QCOMPARE(Grid()->currentIndex(), Grid()->model()->index(15, 15));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("'"));
  QCOMPARE(Panel(1)->text(), QStringLiteral("Selected code: FF='''"));
  // A pasted text of megabytes neither wraps the panel over the grid nor fills the screen.
  rig_->Document().SetCellText(0xFF, QByteArray(4 << 20, 'x'));
  QCOMPARE(Panel(1)->text(), u"Selected code: FF='"_s + QString(200, u'x') + u"\u2026'"_s);
  QCOMPARE(Grid()->model()->index(15, 15).data(Qt::ToolTipRole).toString(),
           u"FF="_s + QString(197, u'x') + u"\u2026"_s);
}

void FrmOrvaneTest::InputMethodTextIsAppendedInTheTableEncoding() {
  rig_->Document().SetCellText(0, "x");
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("\u304B\u4E9C"));  // a kana and a kanji
  QCoreApplication::sendEvent(QApplication::focusWidget(), &commit);
  QCOMPARE(rig_->Document().GetCellText(0), QByteArray("x\xA4\xAB\xB0\xA1"));
  QVERIFY(rig_->Document().IsModified());
  QCOMPARE(CellShown(0), QStringLiteral("x\u304B\u4E9C"));
  // A character with no EUC-JP form is ignored.
  QInputMethodEvent emoji;
  emoji.setCommitString(QStringLiteral("\U0001F600"));
  QCoreApplication::sendEvent(QApplication::focusWidget(), &emoji);
  QCOMPARE(rig_->Document().GetCellText(0), QByteArray("x\xA4\xAB\xB0\xA1"));

  // A table opened as UTF-8 shows and takes UTF-8; a romaji kana in it still shows as kana.
  testing::TempFolder folder;
  rig_->answers.QueueButton(editing::Answers::Button::kNo);
  rig_->answers.QueueFile(folder.Write(QStringLiteral("utf8.tbl"), "10=\xE3\x81\x82\n"));
  rig_->session.Commands().Open();
  QCOMPARE(rig_->Document().Encoding(), text::Encoding::kUtf8);
  QCOMPARE(CellShown(0x10), QStringLiteral("\u3042"));
  QCoreApplication::sendEvent(QApplication::focusWidget(), &commit);
  QCOMPARE(rig_->Document().GetCellText(0), QByteArray("\xE3\x81\x8B\xE4\xBA\x9C"));
  rig_->Document().SetCellText(1, "\xA4\xAB");
  QCOMPARE(CellShown(1), QStringLiteral("\u304B"));
}

void FrmOrvaneTest::ToolbarAndDropDownDispatch() {
  rig_->State().SelectCode(0x41);
  Trigger("Toolbar1_Button8");
  QCOMPARE(rig_->Document().GetCellText(0x41), QByteArray("A"));
  QCOMPARE(rig_->Document().GetCellText(0x5A), QByteArray("Z"));
  QCOMPARE(rig_->State().CursorCode(), quint8{0x5B});
  QVERIFY(Panel(2)->isEnabled());
  // Pressing 14 and choosing its item 1 give the same run.
  rig_->State().SelectCode(0x00);
  Trigger("Toolbar1_Button14");
  rig_->State().SelectCode(0x80);
  Trigger("Toolbar1_Button14_Item1");
  for (int i = 0; i < 46; ++i) {
    QCOMPARE(rig_->Document().GetCellText(static_cast<quint8>(0x80 + i)),
             rig_->Document().GetCellText(static_cast<quint8>(i)));
  }
  rig_->State().SelectCode(0x00);
  Trigger("Toolbar1_Button12_Item4");
  QCOMPARE(rig_->Document().GetCellText(0x06), QByteArray("ji"));
  // Separators and unknown numbers do nothing.
  const QByteArray before = rig_->Document().GetCellText(0x00);
  for (int button : {4, 7, 11, 0, 15}) Window().Toolbar1_ButtonClick(button);
  Window().Toolbar1_ButtonMenuClick(13, 3);
  QCOMPARE(rig_->Document().GetCellText(0x00), before);
  QVERIFY(rig_->answers.messages.isEmpty());
}

void FrmOrvaneTest::EveryFillButtonWritesItsRun_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<int>("count");
  QTest::addColumn<QByteArray>("first");
  QTest::addColumn<QByteArray>("eighth");
  QTest::addColumn<QByteArray>("last");
  using testing::Bytes;
  const QByteArray hira_a = Bytes({0xA4, 0xA2});
  const QByteArray kata_a = Bytes({0xA5, 0xA2});
  QTest::newRow("upper") << u"Toolbar1_Button8"_s << 26 << "A"_ba
                         << "H"_ba
                         << "Z"_ba;
  QTest::newRow("lower") << u"Toolbar1_Button9"_s << 26 << "a"_ba
                         << "h"_ba
                         << "z"_ba;
  QTest::newRow("digits") << u"Toolbar1_Button10"_s << 10 << "0"_ba
                          << "7"_ba
                          << "9"_ba;
  QTest::newRow("romaji") << u"Toolbar1_Button12"_s << 46 << "A"_ba
                          << "KU"_ba
                          << "N"_ba;
  QTest::newRow("romaji 1") << u"Toolbar1_Button12_Item1"_s << 46 << "A"_ba
                            << "KU"_ba
                            << "N"_ba;
  QTest::newRow("romaji 2") << u"Toolbar1_Button12_Item2"_s << 46 << "a"_ba
                            << "ku"_ba
                            << "n"_ba;
  QTest::newRow("romaji 3") << u"Toolbar1_Button12_Item3"_s << 25 << "GA"_ba
                            << "ZU"_ba
                            << "PO"_ba;
  QTest::newRow("romaji 4") << u"Toolbar1_Button12_Item4"_s << 25 << "ga"_ba
                            << "zu"_ba
                            << "po"_ba;
  for (const char* name : {"Toolbar1_Button13", "Toolbar1_Button13_Item1"}) {
    QTest::newRow(name) << QString::fromLatin1(name) << 46 << kata_a << Bytes({0xA5, 0xAF})
                        << Bytes({0xA5, 0xF3});
  }
  QTest::newRow("katakana 2") << u"Toolbar1_Button13_Item2"_s << 25 << Bytes({0xA5, 0xAC})
                              << Bytes({0xA5, 0xBA}) << Bytes({0xA5, 0xDD});
  for (const char* name : {"Toolbar1_Button14", "Toolbar1_Button14_Item1"}) {
    QTest::newRow(name) << QString::fromLatin1(name) << 46 << hira_a << Bytes({0xA4, 0xAF})
                        << Bytes({0xA4, 0xF3});
  }
  QTest::newRow("hiragana 2") << u"Toolbar1_Button14_Item2"_s << 25 << Bytes({0xA4, 0xAC})
                              << Bytes({0xA4, 0xBA}) << Bytes({0xA4, 0xDD});
}

void FrmOrvaneTest::EveryFillButtonWritesItsRun() {
  QFETCH(QString, action);
  QFETCH(int, count);
  QFETCH(QByteArray, first);
  QFETCH(QByteArray, eighth);
  QFETCH(QByteArray, last);
  Trigger(qPrintable(action));
  model::TableDocument& document = rig_->Document();
  QCOMPARE(document.GetCellText(0x00), first);
  QCOMPARE(document.GetCellText(0x07), eighth);
  QCOMPARE(document.GetCellText(static_cast<quint8>(count - 1)), last);
  QVERIFY(document.GetCellText(static_cast<quint8>(count)).isEmpty());
  QCOMPARE(static_cast<int>(rig_->State().CursorCode().Value()), count);
}

void FrmOrvaneTest::PanelClicksSwitchModesOnlyFromFourToSix() {
  for (int panel : {1, 2, 3}) QTest::mouseClick(Panel(panel), Qt::LeftButton);
  QCOMPARE(rig_->State().InputMode(), kana::InputMode::kAscii);
  QTest::mouseClick(Panel(5), Qt::LeftButton);
  QCOMPARE(rig_->State().InputMode(), kana::InputMode::kHiragana);
  QTest::mouseClick(Panel(5), Qt::LeftButton);
  QVERIFY(Action("mnuHira")->isChecked());
  QTest::mouseClick(Panel(4), Qt::LeftButton);
  QVERIFY(Action("mnuASCII")->isChecked());
  QVERIFY(!Panel(5)->isEnabled() && !Panel(6)->isEnabled());
  Trigger("mnuASCII");  // choosing the active mode never unchecks it
  QVERIFY(Action("mnuASCII")->isChecked());
}

// A control code reads on into its arguments: it is shown apart from the marks, and set,
// changed and made plain again as one step each.
void FrmOrvaneTest::ControlCodesAreShownAndEditedApart() {
  QVERIFY(!model::LoadTableFromBytes(rig_->Document(), "$C9=<pause=>,1\n"));
  rig_->State().SelectCode(0xC9);
  const QModelIndex cell = Grid()->model()->index(12, 9);
  QCOMPARE(cell.data().toString(), u"<pause=>"_s);
  const QColor colour = cell.data(Qt::BackgroundRole).value<QColor>();
  QVERIFY(colour.isValid() && colour != QColor(255, 255, 0));
  QCOMPARE(cell.data(Qt::ToolTipRole).toString(), u"$C9=<pause=>,1"_s);
  QCOMPARE(Panel(1)->text(), u"Selected code: C9='<pause=>' (control code, 1 argument byte)"_s);
  rig_->answers.QueueText(u"<wait>,a,c=%D"_s);
  Trigger("mnuControlCode");
  QCOMPARE(rig_->answers.text_defaults.constLast(), u"<pause=>,1"_s);
  QCOMPARE(rig_->Document().Entry(0xC9)->arguments, QByteArray("a,c=%D"));
  QCOMPARE(Panel(1)->text(), u"Selected code: C9='<wait>' (control code, 2 argument bytes)"_s);
  QCOMPARE(rig_->session.UndoName(), u"Control Code"_s);
  rig_->answers.QueueText(u"<x>,a=%Q"_s);
  rig_->answers.QueueButton(editing::Answers::Button::kOk);
  Trigger("mnuControlCode");
  QCOMPARE(rig_->Document().GetCellText(0xC9), QByteArray("<wait>"));  // refused
  rig_->answers.QueueText(QString());
  Trigger("mnuControlCode");
  QVERIFY(!rig_->Document().IsControl(0xC9));
  QCOMPARE(rig_->Document().GetCellText(0xC9), QByteArray("<wait>"));
  QVERIFY(!cell.data(Qt::BackgroundRole).isValid());
  rig_->session.Undo();
  QVERIFY(rig_->Document().IsControl(0xC9));
  QVERIFY(rig_->answers.AllAnswersUsed());
}

void FrmOrvaneTest::MarkedCellsAreYellow() {
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("/"));
  Trigger("Toolbar1_Button5");
  const QModelIndex cell = Grid()->model()->index(0, 0);
  QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 0));
  QCOMPARE(cell.data(Qt::ToolTipRole).toString(), QStringLiteral("/00"));
  rig_->Document().SetMarkLabel(0x00, "[end]");
  QCOMPARE(cell.data(Qt::ToolTipRole).toString(), QStringLiteral("/00=[end]"));
  // Other text: a save writes a code entry, so the cell shows no mark until it is "/" again.
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
  QVERIFY(!cell.data(Qt::BackgroundRole).isValid());
  QCOMPARE(cell.data(Qt::ToolTipRole).toString(), QStringLiteral("00=/x"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
  QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 0));
  Trigger("Toolbar1_Button6");
  QVERIFY(!cell.data(Qt::BackgroundRole).isValid());
  QCOMPARE(cell.data(Qt::ToolTipRole).toString(), QStringLiteral("00=/"));
  QCOMPARE(Grid()->palette().color(QPalette::Base), QColor(Qt::white));
  rig_->State().SelectCode(1);
  rig_->answers.QueueButton(editing::Answers::Button::kOk);
  Trigger("Toolbar1_Button5");
  QCOMPARE(rig_->answers.messages.size(), 1);
  QCOMPARE(rig_->answers.messages.first().title, QStringLiteral("Error..."));
}

void FrmOrvaneTest::FillRedrawsTheGridOnce() {
  QCoreApplication::processEvents();
  QTest::qWait(20);
  PaintCounter counter(Grid()->viewport());
  // Qt merges updates made while no event runs, so the paints alone cannot tell one redraw
  // from 256; the model's change notices can.
  QSignalSpy changes(Grid()->model(), &QAbstractItemModel::dataChanged);
  Trigger("Toolbar1_Button13");
  QCOMPARE(changes.size(), 1);
  QCoreApplication::processEvents();
  QTest::qWait(20);
  QCOMPARE(counter.paints, 1);
  counter.paints = 0;
  rig_->Document().ClearTable();
  QCoreApplication::processEvents();
  QTest::qWait(20);
  QCOMPARE(counter.paints, 1);
}

void FrmOrvaneTest::CloseWithCancelKeepsTheWindow() {
  rig_->Document().SetModified(true);
  rig_->answers.QueueButton(editing::Answers::Button::kCancel);
  QVERIFY(!Window().close());
  QVERIFY(Window().isVisible());
  QVERIFY(rig_->Document().IsModified());
  rig_->answers.QueueButton(editing::Answers::Button::kNo);
  QVERIFY(Window().close());
}

}  // namespace orvane::ui

QTEST_MAIN(orvane::ui::FrmOrvaneTest)
#include "frm_orvane_test.moc"
