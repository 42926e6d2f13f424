#include "ui/frm_orvane.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
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

#include "support/fake_answers.h"
#include "support/temp_table.h"

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
  void ArrowKeysMoveTheCursorAndPanelOne();
  void InputMethodTextIsAppendedInTheTableEncoding();
  void ToolbarAndDropDownDispatch();
  void PanelClicksSwitchModesOnlyFromFourToSix();
  void MarkedCellsAreYellow();
  void FillRedrawsTheGridOnce();
  void CloseWithCancelKeepsTheWindow();

 private:
  QAction* Action(const char* name) const {
    return window_->findChild<QAction*>(QLatin1String(name));
  }
  QLabel* Panel(int number) const {
    return window_->findChild<QLabel*>(QStringLiteral("SB_Panel%1").arg(number));
  }
  QTableView* Grid() const { return window_->findChild<QTableView*>(QStringLiteral("TableGrid")); }
  QString CellShown(int code) const {
    return Grid()->model()->index(code / 16, code % 16).data().toString();
  }

  std::unique_ptr<testing::FakeAnswers> answers_;
  std::unique_ptr<frmOrvane> window_;
};

void FrmOrvaneTest::init() {
  answers_ = std::make_unique<testing::FakeAnswers>();
  window_ = std::make_unique<frmOrvane>(answers_.get());
  window_->show();
  QApplication::setActiveWindow(window_.get());
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void FrmOrvaneTest::cleanup() {
  window_->Document().SetModified(false);  // no save prompt on teardown
  window_.reset();
  answers_.reset();
}

void FrmOrvaneTest::StartsAsAnEmptyUnnamedTable() {
  QCOMPARE(window_->windowTitle(), QStringLiteral("Unnamed - Orvane 0.9"));
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
  QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
  QCOMPARE(window_->minimumSize(), window_->maximumSize());
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
  QTest::newRow("&Options") << QStringLiteral("mnuOptions")
                            << QStringList{u"mnuBook"_s, u"mnuExtra"_s, u"mnuInput"_s}
                            << QStringList{u"&Bookmarks Manager"_s, u"&Extra Lines Manager"_s,
                                           u"&Input Mode..."_s}
                            << QStringList{u""_s, u""_s, u""_s};
  QTest::newRow("&Input Mode...") << QStringLiteral("mnuInput")
                                  << QStringList{u"mnuASCII"_s, u"mnuHira"_s, u"mnuKata"_s}
                                  << QStringList{u"ASCII"_s, u"Hiragana"_s, u"Katakana"_s}
                                  << QStringList{u"Ctrl+A"_s, u"Ctrl+H"_s, u"Ctrl+K"_s};
  QTest::newRow("&?") << QStringLiteral("mnuHelp") << QStringList{u"mnuReadme"_s, u"mnuAbout"_s}
                      << QStringList{u"&Readme..."_s, u"&About Orvane..."_s}
                      << QStringList{u""_s, u""_s};
}

void FrmOrvaneTest::MenusHaveTheirCaptionsAndShortcuts() {
  QFETCH(QString, menu);
  QFETCH(QStringList, items);
  QFETCH(QStringList, captions);
  QFETCH(QStringList, shortcuts);
  auto* found = window_->findChild<QMenu*>(menu);
  QVERIFY(found != nullptr);
  const QList<QAction*> actions = found->actions();
  QCOMPARE(actions.size(), items.size());
  for (qsizetype i = 0; i < items.size(); ++i) {
    QCOMPARE(actions[i]->objectName(), items[i]);
    QCOMPARE(actions[i]->text(), captions[i]);
    QCOMPARE(actions[i]->shortcut().toString(), shortcuts[i]);
  }
  const QList<QAction*> bar = window_->menuBar()->actions();
  QCOMPARE(bar.size(), 3);
  QCOMPARE(bar[0]->text(), QStringLiteral("&File"));
  QCOMPARE(bar[1]->text(), QStringLiteral("&Options"));
  QCOMPARE(bar[2]->text(), QStringLiteral("&?"));
  for (const char* pictured : {"mnuNew", "mnuOpen", "mnuSave"}) {
    QVERIFY(!Action(pictured)->icon().isNull());
  }
}

void FrmOrvaneTest::ToolbarHasFourteenPositionsInOrder() {
  auto* toolbar = window_->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
  const QList<QAction*> positions = toolbar->actions();
  QCOMPARE(positions.size(), 14);
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
  auto* toolbar = window_->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
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
  for (int n = 0; n < 16; ++n) {
    const QString digit = QString::number(n, 16).toUpper();
    QCOMPARE(grid->model()->headerData(n, Qt::Horizontal).toString(), digit);
    QCOMPARE(grid->model()->headerData(n, Qt::Vertical).toString(), digit);
  }
  const QRect last = grid->visualRect(grid->model()->index(15, 15));
  QVERIFY(grid->viewport()->rect().contains(last));
  QVERIFY(!grid->horizontalScrollBar()->isVisible());
  QVERIFY(!grid->verticalScrollBar()->isVisible());
  QVERIFY(window_->rect().contains(grid->geometry()));
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
  window_->State().SetInputMode(kana::InputMode::kKatakana);
  if (mode == 3) window_->State().SetInputMode(kana::InputMode::kAscii);
  window_->Document().SetCellText(0, "AB");
  QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), Qt::ControlModifier);
  QCOMPARE(static_cast<int>(window_->State().InputMode()), mode);
  QCOMPARE(window_->Document().GetCellText(0), QByteArray("AB"));
  QVERIFY(!window_->Document().IsModified());
  const std::array<const char*, 3> items = {"mnuASCII", "mnuHira", "mnuKata"};
  for (int i = 0; i < 3; ++i) {
    QCOMPARE(Action(items[static_cast<size_t>(i)])->isChecked(), i + 1 == mode);
    QCOMPARE(Panel(4 + i)->isEnabled(), i + 1 == mode);
  }
}

void FrmOrvaneTest::FileShortcutsReachTheCommands() {
  answers_->QueueFile(std::nullopt);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
  answers_->QueueFile(std::nullopt);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(answers_->dialogs.size(), 2);
  QCOMPARE(answers_->dialogs[0].form, editing::Answers::FileDialogForm::kOpen);
  QCOMPARE(answers_->dialogs[1].form, editing::Answers::FileDialogForm::kSave);
  window_->Document().SetCellText(0x41, "A");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
  QVERIFY(window_->Document().GetCellText(0x41).isEmpty());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
  QCOMPARE(answers_->close_requests, 1);
  QVERIFY(answers_->AllAnswersUsed());
}

void FrmOrvaneTest::TypedKeysEditTheCurrentCell() {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ka"));
  QCOMPARE(window_->Document().GetCellText(0), QByteArray("\xA4\xAB"));
  QCOMPARE(CellShown(0), QStringLiteral("\u304B"));
  QCOMPARE(Panel(1)->text(), QStringLiteral("Selected code: 00='\u304B'"));
  QVERIFY(Panel(2)->isEnabled());
  QCOMPARE(window_->State().CursorCode(), quint8{0});  // typing never moves the cursor
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
  QVERIFY(window_->Document().GetCellText(0).isEmpty());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
  QVERIFY(window_->Document().GetCellText(0).isEmpty());
  QCOMPARE(Panel(1)->text(), QStringLiteral("Selected code: 00=''"));
  // Latin-1 characters arrive as their byte.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_Eacute,
                      QStringLiteral("\u00E9"), Qt::NoModifier);
  QCOMPARE(window_->Document().GetCellText(0), QByteArray("\xE9"));
}

void FrmOrvaneTest::ArrowKeysMoveTheCursorAndPanelOne() {
  window_->Document().SetCellText(0x11, "x");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QCOMPARE(window_->State().CursorCode(), quint8{0x11});
  QCOMPARE(Panel(1)->text(), QStringLiteral("Selected code: 11='x'"));
  window_->State().SelectCode(0xFF);
  QCOMPARE(Grid()->currentIndex(), Grid()->model()->index(15, 15));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("'"));
  QCOMPARE(Panel(1)->text(), QStringLiteral("Selected code: FF='''"));
}

void FrmOrvaneTest::InputMethodTextIsAppendedInTheTableEncoding() {
  window_->Document().SetCellText(0, "x");
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("\u304B\u4E9C"));  // a kana and a kanji
  QCoreApplication::sendEvent(QApplication::focusWidget(), &commit);
  QCOMPARE(window_->Document().GetCellText(0), QByteArray("x\xA4\xAB\xB0\xA1"));
  QVERIFY(window_->Document().IsModified());
  QCOMPARE(CellShown(0), QStringLiteral("x\u304B\u4E9C"));
  // A character with no EUC-JP form is ignored.
  QInputMethodEvent emoji;
  emoji.setCommitString(QStringLiteral("\U0001F600"));
  QCoreApplication::sendEvent(QApplication::focusWidget(), &emoji);
  QCOMPARE(window_->Document().GetCellText(0), QByteArray("x\xA4\xAB\xB0\xA1"));

  // A table opened as UTF-8 shows and takes UTF-8; a romaji kana in it still shows as kana.
  testing::TempFolder folder;
  answers_->QueueButton(editing::Answers::Button::kNo);
  answers_->QueueFile(folder.Write(QStringLiteral("utf8.tbl"), "10=\xE3\x81\x82\n"));
  window_->Commands().Open();
  QCOMPARE(window_->Encoding(), TextEncoding::kUtf8);
  QCOMPARE(CellShown(0x10), QStringLiteral("\u3042"));
  QCoreApplication::sendEvent(QApplication::focusWidget(), &commit);
  QCOMPARE(window_->Document().GetCellText(0), QByteArray("\xE3\x81\x8B\xE4\xBA\x9C"));
  window_->Document().SetCellText(1, "\xA4\xAB");
  QCOMPARE(CellShown(1), QStringLiteral("\u304B"));
}

void FrmOrvaneTest::ToolbarAndDropDownDispatch() {
  window_->State().SelectCode(0x41);
  Action("Toolbar1_Button8")->trigger();
  QCOMPARE(window_->Document().GetCellText(0x41), QByteArray("A"));
  QCOMPARE(window_->Document().GetCellText(0x5A), QByteArray("Z"));
  QCOMPARE(window_->State().CursorCode(), quint8{0x5B});
  QVERIFY(Panel(2)->isEnabled());
  // Pressing 14 and choosing its item 1 give the same run.
  window_->State().SelectCode(0x00);
  Action("Toolbar1_Button14")->trigger();
  window_->State().SelectCode(0x80);
  Action("Toolbar1_Button14_Item1")->trigger();
  for (int i = 0; i < 46; ++i) {
    QCOMPARE(window_->Document().GetCellText(static_cast<quint8>(0x80 + i)),
             window_->Document().GetCellText(static_cast<quint8>(i)));
  }
  window_->State().SelectCode(0x00);
  Action("Toolbar1_Button12_Item4")->trigger();
  QCOMPARE(window_->Document().GetCellText(0x06), QByteArray("ji"));
  // Separators and unknown numbers do nothing.
  const QByteArray before = window_->Document().GetCellText(0x00);
  for (int button : {4, 7, 11, 0, 15}) window_->Toolbar1_ButtonClick(button);
  window_->Toolbar1_ButtonMenuClick(13, 3);
  QCOMPARE(window_->Document().GetCellText(0x00), before);
  QVERIFY(answers_->messages.isEmpty());
}

void FrmOrvaneTest::PanelClicksSwitchModesOnlyFromFourToSix() {
  for (int panel : {1, 2, 3}) QTest::mouseClick(Panel(panel), Qt::LeftButton);
  QCOMPARE(window_->State().InputMode(), kana::InputMode::kAscii);
  QTest::mouseClick(Panel(5), Qt::LeftButton);
  QCOMPARE(window_->State().InputMode(), kana::InputMode::kHiragana);
  QTest::mouseClick(Panel(5), Qt::LeftButton);
  QVERIFY(Action("mnuHira")->isChecked());
  QTest::mouseClick(Panel(4), Qt::LeftButton);
  QVERIFY(Action("mnuASCII")->isChecked());
  QVERIFY(!Panel(5)->isEnabled() && !Panel(6)->isEnabled());
  Action("mnuASCII")->trigger();  // choosing the active mode never unchecks it
  QVERIFY(Action("mnuASCII")->isChecked());
}

void FrmOrvaneTest::MarkedCellsAreYellow() {
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("/"));
  Action("Toolbar1_Button5")->trigger();
  const QModelIndex cell = Grid()->model()->index(0, 0);
  QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 0));
  Action("Toolbar1_Button6")->trigger();
  QVERIFY(!cell.data(Qt::BackgroundRole).isValid());
  QCOMPARE(Grid()->palette().color(QPalette::Base), QColor(Qt::white));
  window_->State().SelectCode(1);
  answers_->QueueButton(editing::Answers::Button::kOk);
  Action("Toolbar1_Button5")->trigger();
  QCOMPARE(answers_->messages.size(), 1);
  QCOMPARE(answers_->messages.first().title, QStringLiteral("Error..."));
}

void FrmOrvaneTest::FillRedrawsTheGridOnce() {
  QCoreApplication::processEvents();
  QTest::qWait(20);
  PaintCounter counter(Grid()->viewport());
  // Qt merges updates made while no event runs, so the paints alone cannot tell one redraw
  // from 256; the model's change notices can.
  QSignalSpy changes(Grid()->model(), &QAbstractItemModel::dataChanged);
  Action("Toolbar1_Button13")->trigger();
  QCOMPARE(changes.size(), 1);
  QCoreApplication::processEvents();
  QTest::qWait(20);
  QCOMPARE(counter.paints, 1);
  counter.paints = 0;
  window_->Document().ClearTable();
  QCoreApplication::processEvents();
  QTest::qWait(20);
  QCOMPARE(counter.paints, 1);
}

void FrmOrvaneTest::CloseWithCancelKeepsTheWindow() {
  window_->Document().SetModified(true);
  answers_->QueueButton(editing::Answers::Button::kCancel);
  QVERIFY(!window_->close());
  QVERIFY(window_->isVisible());
  QVERIFY(window_->Document().IsModified());
  answers_->QueueButton(editing::Answers::Button::kNo);
  QVERIFY(window_->close());
}

}  // namespace orvane::ui

QTEST_MAIN(orvane::ui::FrmOrvaneTest)
#include "frm_orvane_test.moc"
