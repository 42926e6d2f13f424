// The Edit menu on the main window: Undo and Redo named and greyed, a fill undone in one
// redraw, a cell copied and pasted, and the managers after an undo.
#include "support/temp_table.h"
#include "support/ui_rig.h"
#include "ui/side/frm_book.h"
#include "ui/side/frm_extra.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace orvane::ui {

class EditMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { rig_ = std::make_unique<testing::WindowRig>(); }
  void cleanup() { rig_.reset(); }
  void UndoAndRedoAreNamedAndGreyed();
  void ShortcutsNeverReachACell();
  void UndoOfAFillRedrawsOnce();
  void CopyAndPasteBetweenCells();
  void OpenBookmarksManagerFollowsAnUndo();
  void PendingExtraLinesGreyUndo();

 private:
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  model::TableDocument& Document() { return rig_->Document(); }

  std::unique_ptr<testing::WindowRig> rig_;
};

void EditMenuTest::UndoAndRedoAreNamedAndGreyed() {
  QAction* undo = rig_->Action("mnuUndo");
  QAction* redo = rig_->Action("mnuRedo");
  QVERIFY(!undo->isEnabled() && !redo->isEnabled());
  QCOMPARE(undo->text(), u"&Undo"_s);
  QCOMPARE(redo->shortcuts(),
           (QList<QKeySequence>{QKeySequence(u"Ctrl+Y"_s), QKeySequence(u"Ctrl+Shift+Z"_s)}));
  rig_->Trigger("Toolbar1_Button8");
  QCOMPARE(undo->text(), u"&Undo Fill"_s);
  Key(Qt::Key_Z, Qt::ControlModifier);
  QVERIFY(Document().GetCellText(0x00).isEmpty());
  QVERIFY(!Document().IsModified());
  QCOMPARE(redo->text(), u"&Redo Fill"_s);
  QVERIFY(!undo->isEnabled());
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(Document().GetCellText(0x00), "A"_ba);
  QVERIFY(Document().IsModified());
}

void EditMenuTest::ShortcutsNeverReachACell() {
  for (Qt::Key key : {Qt::Key_Z, Qt::Key_Y, Qt::Key_C, Qt::Key_V}) {
    Key(key, Qt::ControlModifier);
  }
  QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_Z, u"\x1a"_s,
                      Qt::ControlModifier);
  QVERIFY(Document().GetCellText(0x00).isEmpty());
  QVERIFY(!Document().IsModified());
}

void EditMenuTest::UndoOfAFillRedrawsOnce() {
  rig_->Trigger("Toolbar1_Button14");
  auto* grid = rig_->window.findChild<QTableView*>(u"TableGrid"_s);
  QSignalSpy changes(grid->model(), &QAbstractItemModel::dataChanged);
  Key(Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(changes.size(), 1);
  QVERIFY(Document().GetCellText(0x2D).isEmpty());
  QCOMPARE(rig_->State().CursorCode(), quint8{0x00});  // the first cell the undo changed
}

void EditMenuTest::CopyAndPasteBetweenCells() {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), u"ka"_s);
  Key(Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QGuiApplication::clipboard()->text(), u"\u304B"_s);
  Key(Qt::Key_Right);
  Key(Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(Document().GetCellText(0x01), "\xA4\xAB"_ba);
  QCOMPARE(rig_->Action("mnuUndo")->text(), u"&Undo Paste"_s);
  Key(Qt::Key_Right);
  Key(Qt::Key_C, Qt::ControlModifier);  // an empty cell copies an empty text
  QCOMPARE(QGuiApplication::clipboard()->text(), QString());
}

void EditMenuTest::OpenBookmarksManagerFollowsAnUndo() {
  rig_->Trigger("mnuBook");
  side::frmBook* book = rig_->side.BookmarksManager();
  QTest::keyClicks(book->findChild<QLineEdit*>(u"txtAddr"_s), u"10"_s);
  QTest::keyClicks(book->findChild<QLineEdit*>(u"txtTitle"_s), u"Intro"_s);
  QTest::mouseClick(book->findChild<QPushButton*>(u"cmdAdd"_s), Qt::LeftButton);
  auto* list = book->findChild<QListWidget*>(u"lstBook"_s);
  QCOMPARE(list->count(), 1);
  QCOMPARE(rig_->Action("mnuUndo")->text(), u"&Undo Bookmark"_s);
  rig_->Trigger("mnuUndo");
  QCOMPARE(list->count(), 0);
  QVERIFY(!book->findChild<QPushButton*>(u"cmdDel"_s)->isEnabled());
  rig_->Trigger("mnuRedo");
  QCOMPARE(list->count(), 1);
  QCOMPARE(list->item(0)->text(), u"Intro"_s);
}

void EditMenuTest::PendingExtraLinesGreyUndo() {
  rig_->Trigger("Toolbar1_Button8");
  rig_->Trigger("mnuExtra");
  side::frmExtra* extra = rig_->side.ExtraLinesManager();
  QTest::keyClicks(extra->findChild<QLineEdit*>(u"txtLine"_s), u"s: 20"_s);
  QTest::mouseClick(extra->findChild<QPushButton*>(u"cmdAdd"_s), Qt::LeftButton);
  QVERIFY(!rig_->Action("mnuUndo")->isEnabled());
  QTest::mouseClick(extra->findChild<QPushButton*>(u"cmdOk"_s), Qt::LeftButton);
  QCOMPARE(rig_->Action("mnuUndo")->text(), u"&Undo Extra Lines"_s);
  rig_->Trigger("mnuUndo");
  QCOMPARE(Document().ExtraLineCount(), 0);
}

}  // namespace orvane::ui

QTEST_MAIN(orvane::ui::EditMenuTest)
#include "edit_menu_test.moc"
