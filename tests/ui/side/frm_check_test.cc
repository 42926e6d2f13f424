// Tools › Check Table on the main window: the findings grouped by kind with their counts, and a
// double-click that takes the cursor to the code, on its page.
#include "ui/side/frm_check.h"

#include "model/table_file.h"
#include "side_rig.h"
#include "support/temp_table.h"
#include "support/ui_rig.h"
#include "ui/side/frm_data.h"

#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::Literals::StringLiterals;

class FrmCheckTest : public QObject {
  Q_OBJECT

 private slots:
  void ListsFindingsByKindAndGoesToTheirCode();
};

void FrmCheckTest::ListsFindingsByKindAndGoesToTheirCode() {
  orvane::testing::WindowRig rig;
  // 8140 and 8141 share a text; 41 is defined twice.
  QVERIFY(!orvane::model::LoadTableFromBytes(rig.Document(), "41=A\n8141=x\n8140=x\n41=B\n"));
  rig.Trigger("mnuCheck");
  orvane::ui::side::frmCheck* check = rig.side.TableCheck();
  QVERIFY(check != nullptr);
  QSignalSpy finished(check, &orvane::ui::side::frmCheck::checkFinished);
  QVERIFY(finished.wait());
  QTreeWidget* tree = check->Findings();
  QCOMPARE(tree->topLevelItemCount(), 2);
  QCOMPARE(tree->topLevelItem(0)->text(0), u"Texts several codes share (1)"_s);
  QCOMPARE(tree->topLevelItem(1)->text(0), u"Lines defined again (1)"_s);
  QTreeWidgetItem* shared = tree->topLevelItem(0)->child(0);
  QCOMPARE(shared->text(0),
           u"8140 and 8141 both read x; x is written as 8140: 8141 is never written"_s);
  QCOMPARE(shared->text(1), u"2, 3"_s);

  emit tree->itemDoubleClicked(shared, 0);
  QCOMPARE(rig.State().CursorCode(), *orvane::model::Code::Make(0x8140, 2));
  QCOMPARE(rig.State().CurrentPage(), *orvane::model::Page::Make(0x81, 1));
  emit tree->itemDoubleClicked(tree->topLevelItem(1)->child(0), 0);
  QCOMPARE(rig.State().CursorCode(), orvane::model::Code(0x41));

  // An edit since is checked again: the shared text is gone.
  rig.Document().SetCellText(*orvane::model::Code::Make(0x8141, 2), "y");
  rig.Trigger("mnuCheck");
  QVERIFY(finished.wait());
  QCOMPARE(tree->topLevelItemCount(), 1);
  QCOMPARE(tree->topLevelItem(0)->text(0), u"Lines defined again (1)"_s);

  // With the Game Data window's file open, its strings are checked too.
  rig.Document().SetCellText(0x12, "Five");
  rig.Document().SetCellText(0x13, "SixSeven");
  rig.Document().SetCellText(0x00, "FiveSix");
  const orvane::testing::TempFolder folder;
  rig.side.ShowGameData();
  rig.side.GameData()->OpenFile(folder.Write(u"game.bin"_s, "\x12\x13"));
  rig.Trigger("mnuCheck");
  QVERIFY(finished.wait());
  QCOMPARE(tree->topLevelItemCount(), 2);
  QCOMPARE(tree->topLevelItem(0)->text(0), u"Texts written wrong longest first (1)"_s);
  QVERIFY(tree->topLevelItem(0)->child(0)->text(0).startsWith(u"at 00000000, FiveSixSeven:"_s));
}

QTEST_MAIN(FrmCheckTest)
#include "frm_check_test.moc"
