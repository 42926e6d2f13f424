#include "ui/side/frm_extra.h"

#include "side_rig.h"
#include "support/temp_table.h"

#include <QTest>

namespace orvane::ui::side {
namespace {

using testing::SideRig;
using testing::Texts;

QByteArray SlotOf(const SideRig& rig, int slot) {
  return rig.document.GetExtraLine(slot).value_or(QByteArray("<none>"));
}

}  // namespace

class FrmExtraTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SideRig> rig_;

  // Opens the manager on a table holding `count` extra lines "L0", "L1" ...
  SideRig& Open(int count) {
    rig_ = std::make_unique<SideRig>();
    for (int slot = 0; slot < count; ++slot) {
      (void)rig_->document.SetExtraLine(slot, "L" + QByteArray::number(slot));
    }
    rig_->host.ShowExtraLinesManager();
    rig_->window = rig_->host.ExtraLinesManager();
    return *rig_;
  }

 private slots:
  void cleanup() { rig_.reset(); }

  void ButtonStatesFollowTheTable_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("states");
    QTest::newRow("opened with rows") << 2 << ""
                                      << "aUD";
    QTest::newRow("opened empty") << 0 << ""
                                  << "aud";
    QTest::newRow("typed") << 0 << "txtLine:x"
                           << "Aud";
    QTest::newRow("typed, then emptied") << 2 << "txtLine:x;txtLine:"
                                         << "aUD";
    QTest::newRow("row selected") << 2 << "s:1"
                                  << "AUD";
    QTest::newRow("added") << 0 << "txtLine:x;+"
                           << "AUD";
    QTest::newRow("updated") << 2 << "s:0;txtLine:y;u"
                             << "AUD";
    QTest::newRow("deleted, rows left") << 2 << "s:0;d"
                                        << "aUD";
    QTest::newRow("deleted the only row") << 1 << "s:0;d"
                                          << "aud";
  }
  void ButtonStatesFollowTheTable() {
    QFETCH(int, lines);
    QFETCH(QString, script);
    QFETCH(QString, states);
    SideRig& rig = Open(lines);
    rig.Run(script);
    QCOMPARE(rig.States(), states);
    QVERIFY(rig.Button("cmdOk")->isEnabled());
  }

  void EditsReachTheTableOnlyOnClose_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QList<QByteArray>>("stored");
    QTest::newRow("add twice") << "txtLine:s: 20;+;+" << Texts({"L0", "L1", "L2", "s: 20", "s: 20"})
                               << QList<QByteArray>{"L0", "L1", "L2", "s: 20", "s: 20"};
    QTest::newRow("delete first of three")
        << "s:0;d" << Texts({"L1", "L2"}) << QList<QByteArray>{"L1", "L2"};
    QTest::newRow("delete last") << "s:2;d" << Texts({"L0", "L1"}) << QList<QByteArray>{"L0", "L1"};
    QTest::newRow("update") << "s:1;txtLine:new;u" << Texts({"L0", "new", "L2"})
                            << QList<QByteArray>{"L0", "new", "L2"};
    QTest::newRow("update to empty frees the slot")
        << "s:1;txtLine:;u" << Texts({"L0", "", "L2"}) << QList<QByteArray>{"L0", "", "L2"};
  }
  void EditsReachTheTableOnlyOnClose() {
    QFETCH(QString, script);
    QFETCH(QStringList, rows);
    QFETCH(QList<QByteArray>, stored);
    SideRig& rig = Open(3);
    rig.Run(script);
    QCOMPARE(rig.Rows(), rows);
    QVERIFY(rig.document.IsModified());
    QCOMPARE(SlotOf(rig, 0), QByteArray("L0"));
    QCOMPARE(rig.document.ExtraLineCount(), 3);
    rig.Click("cmdOk");
    QTRY_VERIFY(rig.host.ExtraLinesManager() == nullptr);
    QCOMPARE(rig.document.ExtraLineList(), stored);
  }

  void DeleteEmptiesTheBoxAndLeavesNoSelection() {
    SideRig& rig = Open(3);
    rig.Run(QStringLiteral("s:0;d"));
    QVERIFY(rig.Get<QLineEdit>("txtLine")->text().isEmpty());
    rig.Run(QStringLiteral("txtLine:x;u;d"));
    QCOMPARE(rig.Rows(), Texts({"L1", "L2"}));
  }

  void UpdateAndDeleteWithoutSelectionDoNothing() {
    SideRig& rig = Open(2);
    rig.Run(QStringLiteral("txtLine:x;u;d"));
    QCOMPARE(rig.Rows(), Texts({"L0", "L1"}));
    QVERIFY(!rig.document.IsModified());
  }

  // The table holds any number of extra lines; so does the manager.
  void RowsHaveNoLimit() {
    SideRig& rig = Open(31);
    rig.Run(QStringLiteral("txtLine:32nd;+;+"));
    QCOMPARE(rig.List()->count(), 33);
    QVERIFY(rig.answers.messages.isEmpty());
    rig.Click("cmdOk");
    QCOMPARE(rig.document.ExtraLineCount(), 33);
    QCOMPARE(SlotOf(rig, 32), QByteArray("32nd"));
  }

  void ClosingThroughTheFrameDropsTheEdits() {
    SideRig& rig = Open(2);
    rig.Run(QStringLiteral("s:0;d;txtLine:z;+"));
    rig.window->close();
    QTRY_VERIFY(rig.host.ExtraLinesManager() == nullptr);
    QCOMPARE(rig.document.ExtraLineList(), (QList<QByteArray>{"L0", "L1"}));
    QVERIFY(rig.document.IsModified());
  }

  void UntouchedLineKeepsItsBytes() {
    const QByteArray odd("\x80\x81\xFE", 3);
    SideRig& rig = Open(0);
    (void)rig.document.SetExtraLine(0, odd);
    rig.host.ExtraLinesManager()->Form_Load();
    rig.Run(QStringLiteral("s:0;u;+"));
    rig.Click("cmdOk");
    QCOMPARE(SlotOf(rig, 0), odd);
    QCOMPARE(SlotOf(rig, 1), odd);
  }

  // Longer than Qt's default limit of a text box, which cut the line when its row was selected.
  void LongLineIsKeptWhole() {
    const QByteArray line(40000, 'l');
    SideRig& rig = Open(0);
    (void)rig.document.SetExtraLine(0, line);
    rig.host.ExtraLinesManager()->Form_Load();
    rig.Run(QStringLiteral("s:0;u"));
    QCOMPARE(rig.Get<QLineEdit>("txtLine")->text().size(), line.size());
    rig.Click("cmdOk");
    QCOMPARE(SlotOf(rig, 0), line);
  }

  // A pasted line end or a line of another form would come back from the file as something
  // else, or stop its load: such lines are refused and nothing changes.
  void LinesTheFileWouldReadOtherwiseAreRefused_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("code entry") << QStringLiteral("0A=x");
    QTest::newRow("special character") << QStringLiteral("/0A");
    QTest::newRow("end of line mark") << QStringLiteral("*1f=[end]");
    QTest::newRow("bookmark") << QStringLiteral("(1h)title");
    QTest::newRow("pasted line feed") << QStringLiteral("a\n42=X");
    QTest::newRow("pasted carriage return") << QStringLiteral("a\rb");
  }
  void LinesTheFileWouldReadOtherwiseAreRefused() {
    QFETCH(QString, line);
    SideRig& rig = Open(1);
    rig.answers.QueueButton(editing::Answers::Button::kOk);
    rig.answers.QueueButton(editing::Answers::Button::kOk);
    rig.Get<QLineEdit>("txtLine")->setText(line);  // as a paste would
    rig.Click("cmdAdd");
    rig.Select(0);
    rig.Get<QLineEdit>("txtLine")->setText(line);
    rig.Click("cmdUpdate");
    QCOMPARE(rig.answers.messages.size(), 2);
    QCOMPARE(rig.Rows(), Texts({"L0"}));
    QVERIFY(!rig.document.IsModified());
  }

  // An edit keeps the bytes the box shows as pictures; a line whose bytes the encoding cannot
  // read shows only a guess, and storing an edited guess would change its other bytes.
  void EditedLinesKeepTheirBytes() {
    SideRig& rig = Open(0);
    rig.document.SetEncoding(text::Encoding::kUtf8);
    (void)rig.document.SetExtraLine(0, "a\tb");
    (void)rig.document.SetExtraLine(1, "x\xFF");
    rig.host.ExtraLinesManager()->Form_Load();
    auto* box = rig.Get<QLineEdit>("txtLine");
    rig.Select(0);
    box->setText(box->text() + u'c');
    rig.Click("cmdUpdate");
    rig.Select(1);
    rig.answers.QueueButton(editing::Answers::Button::kOk);
    box->setText(box->text() + u'c');
    rig.Click("cmdUpdate");
    QVERIFY(rig.answers.messages.last().text.contains(QStringLiteral("can be deleted")));
    rig.Click("cmdOk");
    QCOMPARE(SlotOf(rig, 0), QByteArray("a\tbc"));
    QCOMPARE(SlotOf(rig, 1), QByteArray("x\xFF"));
  }

  void CloseMarksTheTableModifiedWhenItChangesIt() {
    SideRig& rig = Open(1);
    rig.Run(QStringLiteral("txtLine:s: 20;+"));
    rig.document.SetModified(false);  // a save while the manager held the line
    rig.Click("cmdOk");
    QCOMPARE(SlotOf(rig, 1), QByteArray("s: 20"));
    QVERIFY(rig.document.IsModified());

    SideRig& again = Open(1);
    again.Click("cmdOk");
    QVERIFY(!again.document.IsModified());
  }

  void ReplacedTableStartsTheWorkingCopyOver() {
    SideRig& rig = Open(2);
    rig.Run(QStringLiteral("txtLine:stale;+"));
    testing::TempFolder folder;
    rig.answers.QueueButton(editing::Answers::Button::kNo);  // the manager's rows
    rig.answers.QueueButton(editing::Answers::Button::kNo);  // the save prompt
    rig.answers.QueueFile(folder.Write(QStringLiteral("t.tbl"), "fresh\r\n41=A\r\n"));
    rig.session.Commands().Open();
    QCOMPARE(rig.Rows(), Texts({"fresh"}));
    QCOMPARE(rig.States(), QStringLiteral("aUD"));
    rig.Click("cmdOk");
    QCOMPARE(SlotOf(rig, 0), QByteArray("fresh"));
    QCOMPARE(rig.document.ExtraLineCount(), 1);
  }
};

}  // namespace orvane::ui::side

QTEST_MAIN(orvane::ui::side::FrmExtraTest)
#include "frm_extra_test.moc"
