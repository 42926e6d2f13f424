#include "ui/side/frm_book.h"

#include "side_rig.h"

#include <QLabel>
#include <QTest>

namespace orvane::ui::side {
namespace {

using testing::SideRig;
using Button = editing::Answers::Button;

const QString kAddError =
    QStringLiteral("An error occurred adding the bookmark.\r\nTry changing the address...");
const QString kUpdateError =
    QStringLiteral("An error occured adding the bookmark.\r\nTry changing the address...");

model::Bookmark SlotOf(const SideRig& rig, int slot) {
  return rig.document.GetBookmark(slot).value_or(model::Bookmark{});
}

}  // namespace

class FrmBookTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SideRig> rig_;

  // Opens the manager on a table holding `count` bookmarks titled A, B, C ... at 0x10, 0x11 ...
  SideRig& Open(int count) {
    rig_ = std::make_unique<SideRig>();
    for (int slot = 0; slot < count; ++slot) {
      (void)rig_->document.SetBookmark(slot, 0x10 + slot, QByteArray(1, char('A' + slot)));
    }
    rig_->host.ShowBookmarksManager();
    rig_->window = rig_->host.BookmarksManager();
    return *rig_;
  }

  void CheckNothingStored(const SideRig& rig, int rows) {
    QCOMPARE(rig.List()->count(), rows);
    QCOMPARE(rig.document.BookmarkCount(), rows);
    QCOMPARE(rig.document.IsModified(), false);
  }

 private slots:
  void cleanup() { rig_.reset(); }

  // A pasted line end would split the bookmark line in the file into another line.
  void TitleWithALineEndIsRefused() {
    SideRig& rig = Open(1);
    rig.answers.QueueButton(editing::Answers::Button::kOk);
    rig.Get<QLineEdit>("txtAddr")->setText(QStringLiteral("10"));
    rig.Get<QLineEdit>("txtTitle")->setText(QStringLiteral("ab\n42=X"));
    rig.Click("cmdAdd");
    QCOMPARE(rig.answers.messages.size(), 1);
    CheckNothingStored(rig, 1);
  }

  void ButtonStatesFollowTheTable_data() {
    QTest::addColumn<int>("bookmarks");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("states");
    QTest::newRow("opened with rows") << 2 << ""
                                      << "auD";
    QTest::newRow("opened empty") << 0 << ""
                                  << "aud";
    QTest::newRow("title typed, rows") << 2 << "txtTitle:x"
                                       << "AUD";
    QTest::newRow("title typed, empty list") << 0 << "txtTitle:x"
                                             << "Aud";
    QTest::newRow("row selected") << 2 << "s:1"
                                  << "AUD";
    QTest::newRow("address emptied") << 2 << "s:0;txtAddr:"
                                     << "auD";
    QTest::newRow("emptied, then title typed") << 2 << "s:0;txtAddr:;txtTitle:y"
                                               << "AUD";
    QTest::newRow("added to empty list") << 0 << "txtAddr:10;txtTitle:x;+"
                                         << "AUD";
    QTest::newRow("updated") << 2 << "s:0;txtTitle:z;u"
                             << "AUD";
    QTest::newRow("deleted, two rows before") << 2 << "s:0;d"
                                              << "AUD";
    QTest::newRow("deleted the only row") << 1 << "s:0;d"
                                          << "AUd";
  }
  void ButtonStatesFollowTheTable() {
    QFETCH(int, bookmarks);
    QFETCH(QString, script);
    QFETCH(QString, states);
    SideRig& rig = Open(bookmarks);
    rig.Run(script);
    QCOMPARE(rig.States(), states);
    QVERIFY(rig.Button("cmdOk")->isEnabled());
  }

  void SelectingARowShowsItsSlot_data() {
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0x8000") << 0x8000 << "8000";
    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("-1") << -1 << "FFFFFFFF";
    QTest::newRow("lowest") << int(0x80000000) << "80000000";
  }
  void SelectingARowShowsItsSlot() {
    QFETCH(int, address);
    QFETCH(QString, shown);
    SideRig& rig = Open(1);
    (void)rig.document.SetBookmark(1, address, "Second");
    rig.TableReplaced();
    rig.Select(1);
    QCOMPARE(rig.Get<QLineEdit>("txtAddr")->text(), shown);
    QCOMPARE(rig.Get<QLineEdit>("txtTitle")->text(), QStringLiteral("Second"));
  }

  // The same rules for Add and Update; only the refusal's spelling differs.
  void AddressRules_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("address");
    QTest::newRow("upper") << "1A2B" << true << 0x1A2B;
    QTest::newRow("lower ffffffff is -1") << "ffffffff" << true << -1;
    QTest::newRow("eight digits from 8 are negative") << "80000001" << true << int(0x80000001);
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("leading zeros are not significant") << "0000000012" << true << 0x12;
    QTest::newRow("blanks around") << "  7f  " << true << 0x7F;
    QTest::newRow("trailing h") << "1234h" << false << 0;
    QTest::newRow("prefix") << "0x12" << false << 0;
    QTest::newRow("sign") << "-1" << false << 0;
    QTest::newRow("blank inside") << "12 34" << false << 0;
    QTest::newRow("nine significant digits") << "123456789" << false << 0;
    QTest::newRow("not hex") << "G1" << false << 0;
    QTest::newRow("non-Latin digit") << QString::fromUtf8("\xef\xbc\x91") << false << 0;
    QTest::newRow("only blanks") << "   " << false << 0;
  }
  void AddressRules() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(int, address);
    SideRig& rig = Open(1);
    if (!accepted) rig.answers.QueueButton(Button::kOk);
    rig.Run(QStringLiteral("txtTitle:New;txtAddr:") + typed + QStringLiteral(";+"));
    if (accepted) {
      QCOMPARE(SlotOf(rig, 1), (model::Bookmark{address, "New"}));
      QCOMPARE(rig.Rows(), testing::Texts({"A", "New"}));
      QVERIFY(rig.document.IsModified());
      QVERIFY(rig.answers.messages.isEmpty());
      return;
    }
    CheckNothingStored(rig, 1);
    QCOMPARE(rig.answers.messages.size(), 1);
    QCOMPARE(rig.answers.messages[0].text, kAddError);
    QCOMPARE(rig.answers.messages[0].title, QStringLiteral("Error"));
    QCOMPARE(rig.answers.messages[0].icon, editing::Answers::Icon::kExclamation);
    QCOMPARE(rig.answers.messages[0].buttons, editing::Answers::Buttons::kOk);
    QCOMPARE(rig.States(), QStringLiteral("AUD"));
    QCOMPARE(rig.Get<QLineEdit>("txtAddr")->text(), typed);
  }
  void UpdateAddressRules_data() { AddressRules_data(); }
  void UpdateAddressRules() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(int, address);
    SideRig& rig = Open(2);
    if (!accepted) rig.answers.QueueButton(Button::kOk);
    rig.Run(QStringLiteral("s:1;txtTitle:New;txtAddr:") + typed + QStringLiteral(";u"));
    const model::Bookmark expected =
        accepted ? model::Bookmark{address, "New"} : model::Bookmark{0x11, "B"};
    QCOMPARE(SlotOf(rig, 1), expected);
    QCOMPARE(rig.Rows(), testing::Texts({"A", accepted ? "New" : "B"}));
    QCOMPARE(rig.document.IsModified(), accepted);
    QCOMPARE(rig.answers.messages.size(), accepted ? 0 : 1);
    if (!accepted) QCOMPARE(rig.answers.messages[0].text, kUpdateError);
    QCOMPARE(rig.List()->currentRow(), 1);
  }

  void RefusalsChangeNothing_data() {
    QTest::addColumn<int>("bookmarks");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("message");
    QTest::newRow("add without title") << 1 << "txtAddr:10;+"
                                       << "A bookmark needs a title.";
    QTest::newRow("update to no title") << 1 << "s:0;txtTitle:;txtAddr:99;u"
                                        << "A bookmark needs a title.";
    QTest::newRow("32nd bookmark") << 31 << "txtAddr:10;txtTitle:x;+"
                                   << "The table already holds 31 bookmarks.";
    QTest::newRow("full table, bad address too") << 31 << "txtAddr:zz;txtTitle:x;+"
                                                 << "The table already holds 31 bookmarks.";
  }
  void RefusalsChangeNothing() {
    QFETCH(int, bookmarks);
    QFETCH(QString, script);
    QFETCH(QString, message);
    SideRig& rig = Open(bookmarks);
    rig.answers.QueueButton(Button::kOk);
    rig.Run(script);
    QCOMPARE(rig.answers.messages.size(), 1);
    QCOMPARE(rig.answers.messages[0].text, message);
    QCOMPARE(rig.answers.messages[0].title, QStringLiteral("Error"));
    CheckNothingStored(rig, bookmarks);
    QCOMPARE(SlotOf(rig, 0), (model::Bookmark{0x10, "A"}));
  }

  void UpdateAndDeleteWithoutSelectionDoNothing() {
    SideRig& rig = Open(2);
    rig.Run(QStringLiteral("txtAddr:99;txtTitle:Z"));
    QCOMPARE(rig.States(), QStringLiteral("AUD"));
    rig.Run(QStringLiteral("u;d"));
    CheckNothingStored(rig, 2);
    QCOMPARE(SlotOf(rig, 0), (model::Bookmark{0x10, "A"}));
  }

  void DeleteMovesTheLastRowIntoTheFreedOne() {
    SideRig& rig = Open(3);
    rig.Run(QStringLiteral("s:0;d"));
    QCOMPARE(rig.Rows(), testing::Texts({"C", "B"}));
    QCOMPARE(SlotOf(rig, 0), (model::Bookmark{0x12, "C"}));
    QCOMPARE(SlotOf(rig, 1), (model::Bookmark{0x11, "B"}));
    QCOMPARE(SlotOf(rig, 2), model::Bookmark{});
    QVERIFY(rig.document.IsModified());
    // The boxes keep the deleted bookmark; no row is selected, so a second Delete is a no-op.
    QCOMPARE(rig.Get<QLineEdit>("txtTitle")->text(), QStringLiteral("A"));
    rig.Run(QStringLiteral("d"));
    QCOMPARE(rig.Rows(), testing::Texts({"C", "B"}));
  }

  void DeletingTheOnlyBookmarkKeepsTheBoxes() {
    SideRig& rig = Open(1);
    rig.Run(QStringLiteral("s:0;d"));
    QCOMPARE(rig.List()->count(), 0);
    QCOMPARE(SlotOf(rig, 0), model::Bookmark{});
    QCOMPARE(rig.Get<QLineEdit>("txtAddr")->text(), QStringLiteral("10"));
    QCOMPARE(rig.Get<QLineEdit>("txtTitle")->text(), QStringLiteral("A"));
    QVERIFY(rig.document.IsModified());
  }

  void UntouchedTitleKeepsItsBytes() {
    const QByteArray odd("\x80\x81\xA4", 3);  // shows as replacement characters
    SideRig& rig = Open(0);
    (void)rig.document.SetBookmark(0, 5, odd);
    rig.TableReplaced();
    rig.Run(QStringLiteral("s:0;txtAddr:6;u"));
    QCOMPARE(SlotOf(rig, 0), (model::Bookmark{6, odd}));
    rig.Run(QStringLiteral("+"));
    QCOMPARE(SlotOf(rig, 1), (model::Bookmark{6, odd}));
  }

  // Longer than Qt's default limit of a text box, which cut the title when its row was selected.
  void LongTitleIsKeptWhole() {
    const QByteArray title(40000, 't');
    SideRig& rig = Open(0);
    (void)rig.document.SetBookmark(0, 5, title);
    rig.TableReplaced();
    rig.Run(QStringLiteral("s:0;txtAddr:6;u"));
    QCOMPARE(rig.Get<QLineEdit>("txtTitle")->text().size(), title.size());
    QCOMPARE(SlotOf(rig, 0), (model::Bookmark{6, title}));
  }

  void TypedTitleIsStoredInTheTablesEncoding_data() {
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("EUC-JP") << false << QByteArray("\xA4\xAB");
    QTest::newRow("UTF-8") << true << QByteArray("\xE3\x81\x8B");
  }
  void TypedTitleIsStoredInTheTablesEncoding() {
    QFETCH(bool, utf8);
    QFETCH(QByteArray, bytes);
    SideRig& rig = Open(0);
    rig.document.SetEncoding(utf8 ? text::Encoding::kUtf8 : text::Encoding::kEucJp);
    rig.Run(QStringLiteral("txtAddr:1;txtTitle:") + QString::fromUtf8("\xe3\x81\x8b") +
            QStringLiteral(";+"));
    QCOMPARE(SlotOf(rig, 0).title, bytes);
    QCOMPARE(rig.Rows(), testing::Texts({"\xe3\x81\x8b"}));
  }

  void ReplacedTableIsListedAnew() {
    SideRig& rig = Open(2);
    rig.Run(QStringLiteral("s:1;txtTitle:Old edit"));
    rig.document.ClearTable();
    (void)rig.document.SetBookmark(0, 0x99, "Fresh");
    rig.TableReplaced();
    QCOMPARE(rig.Rows(), testing::Texts({"Fresh"}));
    QCOMPARE(rig.States(), QStringLiteral("auD"));
    QVERIFY(rig.Get<QLineEdit>("txtTitle")->text().isEmpty());
    rig.Run(QStringLiteral("txtAddr:5;txtTitle:Next;+"));
    QCOMPARE(SlotOf(rig, 1), (model::Bookmark{5, "Next"}));
    QCOMPARE(rig.document.BookmarkCount(), 2);
  }

  void ReopeningListsTheSlotsInOrder() {
    SideRig& rig = Open(3);
    rig.Run(QStringLiteral("s:0;d;txtAddr:1;txtTitle:D;+"));
    rig.Click("cmdOk");
    QTRY_VERIFY(rig.host.BookmarksManager() == nullptr);
    rig.host.ShowBookmarksManager();
    rig.window = rig.host.BookmarksManager();
    QCOMPARE(rig.Rows(), testing::Texts({"C", "B", "D"}));
    QCOMPARE(rig.States(), QStringLiteral("auD"));
  }

  void EditRowReadsLikeABookmarkLine() {
    SideRig& rig = Open(0);
    const auto* label = rig.Get<QLabel>("Label1");
    QCOMPARE(label->text(), QStringLiteral("(") + QString(29, u' ') + QStringLiteral("h)"));
    const QRect address = rig.Get<QLineEdit>("txtAddr")->geometry();
    const QFontMetricsF metrics(label->font());
    const qreal before_h = label->x() + metrics.horizontalAdvance(label->text().chopped(2));
    QVERIFY(label->x() + metrics.horizontalAdvance(u'(') <= address.left());
    QVERIFY(qAbs(before_h - (address.right() + 1)) <= 1.0);
    QVERIFY(label->x() + metrics.horizontalAdvance(label->text()) <= label->geometry().right());
  }
};

}  // namespace orvane::ui::side

QTEST_MAIN(orvane::ui::side::FrmBookTest)
#include "frm_book_test.moc"
