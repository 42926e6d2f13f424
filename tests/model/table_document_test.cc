#include "model/table_document.h"

#include "support/temp_table.h"

#include <QSignalSpy>
#include <QTest>

#include <climits>

using orvane::model::BulkChange;
using orvane::model::TableDocument;

class TableDocumentTest : public QObject {
  Q_OBJECT

 private slots:
  void SlotOpsRefuseOutsideStoreAndChangeNothing_data();
  void SlotOpsRefuseOutsideStoreAndChangeNothing();
  void SlotOpsAcceptFirstAndLastSlot();
  void BookmarkInUseByTitleNotAddress();
  void ClearTableEmptiesEverythingButPath();
  void BulkChangeSendsOneResetInsteadOfItemSignals();
  void NestedBulkChangeSendsOneResetAtOutermostEnd();
  void BulkChangeWithoutChangesSendsNothing();
  void BulkChangeOfOneKindAloneSendsOneReset_data();
  void BulkChangeOfOneKindAloneSendsOneReset();
  void BookmarkOperationsKeepTheSlotsPacked();
  void ModifiedSignalOnlyOnChange();
};

void TableDocumentTest::SlotOpsRefuseOutsideStoreAndChangeNothing_data() {
  QTest::addColumn<int>("slot");
  QTest::newRow("-1") << -1;
  QTest::newRow("31") << 31;
  QTest::newRow("32") << 32;
  QTest::newRow("INT_MIN") << INT_MIN;
  QTest::newRow("INT_MAX") << INT_MAX;
}

void TableDocumentTest::SlotOpsRefuseOutsideStoreAndChangeNothing() {
  QFETCH(int, slot);
  TableDocument document;
  QSignalSpy bookmarks(&document, &TableDocument::bookmarksChanged);
  QSignalSpy extra(&document, &TableDocument::extraLinesChanged);
  QSignalSpy reset(&document, &TableDocument::tableReset);

  QVERIFY(!document.SetBookmark(slot, 5, "title"));
  QVERIFY(!document.ClearBookmark(slot));
  QVERIFY(!document.GetBookmark(slot).has_value());
  QVERIFY(!document.SetExtraLine(slot, "line"));
  QVERIFY(!document.GetExtraLine(slot).has_value());

  QCOMPARE(document.BookmarkCount(), 0);
  QCOMPARE(document.ExtraLineSlots(), 0);
  for (int s = 0; s < orvane::model::kSlotCount; ++s) {
    QCOMPARE(*document.GetBookmark(s), orvane::model::Bookmark{});
  }
  QCOMPARE(bookmarks.count() + extra.count() + reset.count(), 0);
  QVERIFY(!document.IsModified());
}

void TableDocumentTest::SlotOpsAcceptFirstAndLastSlot() {
  TableDocument document;
  QSignalSpy bookmarks(&document, &TableDocument::bookmarksChanged);
  QSignalSpy extra(&document, &TableDocument::extraLinesChanged);
  QVERIFY(document.SetBookmark(0, 1, "first"));
  QVERIFY(document.SetBookmark(30, -1, "last"));
  QCOMPARE(document.GetBookmark(30)->address, -1);
  QCOMPARE(document.GetBookmark(30)->title, QByteArray("last"));
  QCOMPARE(document.BookmarkCount(), 2);
  QCOMPARE(bookmarks.count(), 2);
  QVERIFY(document.ClearBookmark(30));
  QCOMPARE(*document.GetBookmark(30), orvane::model::Bookmark{});
  QCOMPARE(document.BookmarkCount(), 1);

  // Extra lines have no limit: a slot at the end appends, one past it is refused.
  for (int slot = 0; slot < 40; ++slot) {
    QVERIFY(document.SetExtraLine(slot, "line " + QByteArray::number(slot)));
  }
  QVERIFY(!document.SetExtraLine(41, "gap"));
  QCOMPARE(*document.GetExtraLine(39), QByteArray("line 39"));
  QVERIFY(document.SetExtraLine(20, QByteArray()));  // a free slot, between lines in use
  QCOMPARE(document.ExtraLineCount(), 39);
  QCOMPARE(*document.GetExtraLine(21), QByteArray("line 21"));
  QCOMPARE(extra.count(), 41);
}

void TableDocumentTest::BookmarkInUseByTitleNotAddress() {
  TableDocument document;
  QVERIFY(document.SetBookmark(0, 0, "zero"));
  QVERIFY(document.SetBookmark(1, 5, QByteArray()));
  QCOMPARE(document.BookmarkCount(), 1);
}

void TableDocumentTest::ClearTableEmptiesEverythingButPath() {
  TableDocument document;
  document.SetTablePath(QStringLiteral("/tmp/a.tbl"));
  document.SetCellText(0x00, "/");
  document.MarkSpecial(0x00);
  document.SetCellText(0xFF, "end");
  QVERIFY(document.SetBookmark(0, 0x1234, "Intro"));
  QVERIFY(document.SetExtraLine(0, "s: 20"));
  document.SetMarkLabel(0x00, "=[end]");
  document.SetEncoding(orvane::text::Encoding::kShiftJis);
  document.SetForm(orvane::text::FileForm::kUtf8Bom);
  document.SetModified(true);

  QSignalSpy reset(&document, &TableDocument::tableReset);
  QSignalSpy cells(&document, &TableDocument::cellChanged);
  QSignalSpy modified(&document, &TableDocument::modifiedChanged);
  QSignalSpy title(&document, &TableDocument::windowTitleChanged);
  document.ClearTable();

  for (int code = 0; code < orvane::model::kCodeCount; ++code) {
    QVERIFY(document.GetCellText(static_cast<quint8>(code)).isEmpty());
    QVERIFY(!document.IsSpecial(static_cast<quint8>(code)));
  }
  QCOMPARE(document.BookmarkCount(), 0);
  QCOMPARE(*document.GetBookmark(0), orvane::model::Bookmark{});
  QCOMPARE(document.ExtraLineSlots(), 0);
  QVERIFY(document.MarkLabel(0x00).isEmpty());
  QCOMPARE(document.Encoding(), orvane::text::Encoding::kEucJp);
  QCOMPARE(document.Form(), orvane::text::FileForm::kPlain);
  QVERIFY(!document.IsModified());
  QCOMPARE(document.TablePath(), QStringLiteral("/tmp/a.tbl"));
  QCOMPARE(document.WindowTitle(), orvane::testing::TitleFor(QStringLiteral("/tmp/a.tbl")));

  QCOMPARE(reset.count(), 1);
  QCOMPARE(cells.count(), 0);
  QCOMPARE(modified.count(), 1);
  QCOMPARE(modified.first().first().toBool(), false);
  QCOMPARE(title.count(), 0);
}

void TableDocumentTest::BulkChangeSendsOneResetInsteadOfItemSignals() {
  TableDocument document;
  QSignalSpy reset(&document, &TableDocument::tableReset);
  QSignalSpy cells(&document, &TableDocument::cellChanged);
  QSignalSpy bookmarks(&document, &TableDocument::bookmarksChanged);
  QSignalSpy extra(&document, &TableDocument::extraLinesChanged);
  QSignalSpy encoding(&document, &TableDocument::encodingChanged);
  {
    BulkChange bulk(document);
    document.SetEncoding(orvane::text::Encoding::kUtf8);  // the bytes are not UTF-8's yet
    for (int code = 0; code < orvane::model::kCodeCount; ++code) {
      document.SetCellText(static_cast<quint8>(code), "x");
    }
    document.MarkSpecial(0x2F);
    QVERIFY(document.SetBookmark(0, 1, "b"));
    QVERIFY(document.SetExtraLine(0, "e"));
    QCOMPARE(reset.count() + encoding.count(), 0);
  }
  QCOMPARE(reset.count(), 1);
  QCOMPARE(encoding.count(), 1);
  QCOMPARE(cells.count() + bookmarks.count() + extra.count(), 0);

  document.SetCellText(0x41, "A");
  QCOMPARE(cells.count(), 1);
  QCOMPARE(cells.first().first().value<orvane::model::Code>(), quint8{0x41});
  QCOMPARE(reset.count(), 1);
}

void TableDocumentTest::NestedBulkChangeSendsOneResetAtOutermostEnd() {
  TableDocument document;
  QSignalSpy reset(&document, &TableDocument::tableReset);
  {
    BulkChange outer(document);
    {
      BulkChange inner(document);
      document.SetCellText(0x00, "a");
    }
    QCOMPARE(reset.count(), 0);
    document.SetCellText(0x01, "b");
  }
  QCOMPARE(reset.count(), 1);
}

void TableDocumentTest::BulkChangeWithoutChangesSendsNothing() {
  TableDocument document;
  QSignalSpy reset(&document, &TableDocument::tableReset);
  { BulkChange bulk(document); }
  { BulkChange bulk(document); }
  QCOMPARE(reset.count(), 0);
}

void TableDocumentTest::BulkChangeOfOneKindAloneSendsOneReset_data() {
  QTest::addColumn<int>("kind");
  QTest::newRow("bookmarks only") << 0;
  QTest::newRow("extra lines only") << 1;
  QTest::newRow("marks only") << 2;
}

void TableDocumentTest::BulkChangeOfOneKindAloneSendsOneReset() {
  QFETCH(int, kind);
  TableDocument document;
  QSignalSpy reset(&document, &TableDocument::tableReset);
  {
    BulkChange bulk(document);
    if (kind == 0) QVERIFY(document.SetBookmark(0, 1, "b"));
    if (kind == 1) QVERIFY(document.SetExtraLine(0, "e"));
    if (kind == 2) document.MarkSpecial(0x2F);
  }
  QCOMPARE(reset.count(), 1);
}

void TableDocumentTest::BookmarkOperationsKeepTheSlotsPacked() {
  TableDocument document;
  QVERIFY(!document.AddBookmark(1, ""));  // an empty title would leave a free slot in use
  for (const char* title : {"a", "b", "c"}) QVERIFY(document.AddBookmark(1, title));
  QVERIFY(!document.ReplaceBookmark(3, 9, "d"));  // slot 3 is not in use
  QVERIFY(!document.ReplaceBookmark(1, 9, ""));
  QVERIFY(document.ReplaceBookmark(1, 9, "B"));
  QVERIFY(document.RemoveBookmark(0));  // the last moves into the freed slot
  QCOMPARE(document.BookmarkCount(), 2);
  QCOMPARE(document.GetBookmark(0)->title, QByteArray("c"));
  QCOMPARE(document.GetBookmark(1), (orvane::model::Bookmark{9, "B"}));
  QCOMPARE(document.GetBookmark(2), orvane::model::Bookmark{});
  QVERIFY(!document.RemoveBookmark(2));
  for (int i = 2; i < orvane::model::kSlotCount; ++i) QVERIFY(document.AddBookmark(i, "x"));
  QVERIFY(!document.AddBookmark(0, "full"));
}

void TableDocumentTest::ModifiedSignalOnlyOnChange() {
  TableDocument document;
  QSignalSpy modified(&document, &TableDocument::modifiedChanged);
  document.SetModified(false);
  document.SetModified(true);
  document.SetModified(true);
  document.SetModified(false);
  QCOMPARE(modified.count(), 2);
}

QTEST_GUILESS_MAIN(TableDocumentTest)
#include "table_document_test.moc"
