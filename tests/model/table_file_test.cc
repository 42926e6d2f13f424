#include "model/table_file.h"

#include "model/table_document.h"
#include "support/temp_table.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using orvane::model::LoadError;
using orvane::model::LoadTableFromBytes;
using orvane::model::ReadsAsExtraLine;
using orvane::model::TableDocument;
using orvane::testing::DataPath;
using orvane::testing::TempFolder;

namespace {

QByteArray Numbered(const char* prefix, int count, const char* suffix) {
  QByteArray out;
  for (int i = 0; i < count; ++i) out.append(prefix).append(QByteArray::number(i)).append(suffix);
  return out;
}

}  // namespace

class TableFileTest : public QObject {
  Q_OBJECT

 private slots:
  void LoadAndSaveGivesExpectedBytes_data();
  void LoadAndSaveGivesExpectedBytes();
  void LoadStopsWithLineAndReason_data();
  void LoadStopsWithLineAndReason();
  void LinesBeforeFailureStayLoaded();
  void UnclosedAndUntitledBookmarkLinesKeptAsExtraLines();
  void KeptBookmarkLinesCountTowardExtraLineLimit();
  void LoneLineFeedEndsLine();
  void LoadSendsOneReset();
  void LoadOfMissingFileNamesFileButKeepsPath();
  void SavedTablePrintsBlocksInOrder();
  void ReadsAsExtraLineAgreesWithTheReader_data();
  void ReadsAsExtraLineAgreesWithTheReader();
};

void TableFileTest::LoadAndSaveGivesExpectedBytes_data() {
  QTest::addColumn<QString>("name");
  for (const char* name : {"every_form", "empty", "blocks_order", "line_ends"}) {
    QTest::newRow(name) << QString::fromLatin1(name);
  }
}

// Saving the expected file again must give it back unchanged: the canonical form is stable.
void TableFileTest::LoadAndSaveGivesExpectedBytes() {
  QFETCH(QString, name);
  const QByteArray expected = TempFolder::Read(DataPath(name + QStringLiteral(".expected.tbl")));
  TempFolder folder;
  for (const QString& input :
       {name + QStringLiteral(".tbl"), name + QStringLiteral(".expected.tbl")}) {
    TableDocument document;
    const auto load = orvane::model::LoadTable(document, DataPath(input));
    QVERIFY2(!load, qPrintable(load ? load->reason : QString()));
    const QString out = folder.Path(QStringLiteral("out.tbl"));
    QVERIFY(!orvane::model::SaveTable(document, out));
    QCOMPARE(TempFolder::Read(out), expected);
    QCOMPARE(document.TablePath(), out);
  }
}

void TableFileTest::LoadStopsWithLineAndReason_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<qsizetype>("line");
  QTest::addColumn<QString>("reason");
  const QString not_hex = QStringLiteral("not a hexadecimal digit");
  const QString too_long = QStringLiteral("more than 8 hexadecimal digits");
  QTest::newRow("code high digit") << QByteArray("G1=x") << qsizetype{1} << not_hex;
  QTest::newRow("code low digit") << QByteArray("41=A\r\n4g=x") << qsizetype{2} << not_hex;
  QTest::newRow("code wins over special") << QByteArray("/0=x") << qsizetype{1} << not_hex;
  QTest::newRow("code wins over bookmark") << QByteArray("(1=x") << qsizetype{1} << not_hex;
  QTest::newRow("special alone") << QByteArray("/") << qsizetype{1} << not_hex;
  QTest::newRow("special one digit") << QByteArray("*0\r\n") << qsizetype{1} << not_hex;
  QTest::newRow("special bad digit") << QByteArray("/0z") << qsizetype{1} << not_hex;
  QTest::newRow("bookmark no digits") << QByteArray("(h)x") << qsizetype{1} << not_hex;
  QTest::newRow("bookmark bad digit") << QByteArray("(12g4h)x") << qsizetype{1} << not_hex;
  QTest::newRow("bookmark blank digit") << QByteArray("( 1h)x") << qsizetype{1} << not_hex;
  QTest::newRow("bookmark 9 digits") << QByteArray("(123456789h)x") << qsizetype{1} << too_long;
  QTest::newRow("lines counted across mixed ends")
      << QByteArray("a\rb\nc\r\n\r\n\n\rG0=x") << qsizetype{7} << not_hex;
  QTest::newRow("32nd bookmark") << Numbered("(", 32, "h)b\r\n\r\n") << qsizetype{63}
                                 << QStringLiteral("more than 31 bookmarks");
  QTest::newRow("32nd extra line") << Numbered("line ", 32, "\r\n") << qsizetype{32}
                                   << QStringLiteral("more than 31 extra lines");
}

void TableFileTest::LoadStopsWithLineAndReason() {
  QFETCH(QByteArray, bytes);
  QFETCH(qsizetype, line);
  QFETCH(QString, reason);
  TableDocument document;
  const auto error = orvane::model::LoadTableFromBytes(document, bytes);
  QVERIFY(error.has_value());
  QCOMPARE(error->line, line);
  QCOMPARE(error->reason, reason);
}

void TableFileTest::LinesBeforeFailureStayLoaded() {
  TableDocument document;
  const auto error = orvane::model::LoadTableFromBytes(
      document, "41=A\r\n/00\r\n(1h)b\r\ns: 20\r\nG0=x\r\n42=B\r\n(2h)c\r\nmore\r\n");
  QVERIFY(error.has_value());
  QCOMPARE(error->line, 5);
  QCOMPARE(document.GetCellText(0x41), QByteArray("A"));
  QCOMPARE(document.GetCellText(0x00), QByteArray("/"));
  QVERIFY(document.IsSpecial(0x00));
  QCOMPARE(document.GetCellText(0x42), QByteArray());
  QCOMPARE(document.BookmarkCount(), 1);
  QCOMPARE(document.ExtraLineCount(), 1);
}

void TableFileTest::UnclosedAndUntitledBookmarkLinesKeptAsExtraLines() {
  TableDocument document;
  QVERIFY(!orvane::model::LoadTableFromBytes(document, "(label)\r\n(12h)\r\n(3h)x\r\n(12H)"));
  QCOMPARE(*document.GetExtraLine(0), QByteArray("(label)"));
  QCOMPARE(*document.GetExtraLine(1), QByteArray("(12h)"));
  QCOMPARE(*document.GetExtraLine(2), QByteArray("(12H)"));
  QCOMPARE(document.ExtraLineCount(), 3);
  // The untitled line takes no slot, so the bookmarks stay packed from slot 0.
  QCOMPARE(document.BookmarkCount(), 1);
  QCOMPARE(document.GetBookmark(0)->address, 3);
  QCOMPARE(orvane::model::TableToBytes(document),
           QByteArray("(label)\r\n(12h)\r\n(12H)\r\n\r\n(3h)x\r\n"));
}

void TableFileTest::KeptBookmarkLinesCountTowardExtraLineLimit() {
  const QByteArray thirty = Numbered("line ", 30, "\r\n");
  TableDocument document;
  QVERIFY(!orvane::model::LoadTableFromBytes(document, thirty + "(label)"));
  QCOMPARE(document.ExtraLineCount(), 31);

  for (const QByteArray& kept : {QByteArray("(label)"), QByteArray("(7h)")}) {
    TableDocument full;
    const auto error = orvane::model::LoadTableFromBytes(full, thirty + "s: 20\r\n" + kept);
    QVERIFY(error.has_value());
    QCOMPARE(error->line, 32);
    QCOMPARE(error->reason, QStringLiteral("more than 31 extra lines"));
  }
}

void TableFileTest::LoneLineFeedEndsLine() {
  TableDocument document;
  QVERIFY(!orvane::model::LoadTableFromBytes(document, "41=A\n42=B\n\n(1h)t\ns\n43=C"));
  QCOMPARE(document.GetCellText(0x41), QByteArray("A"));
  QCOMPARE(document.GetCellText(0x42), QByteArray("B"));
  QCOMPARE(document.GetCellText(0x43), QByteArray("C"));
  QCOMPARE(document.GetBookmark(0)->title, QByteArray("t"));
  QCOMPARE(*document.GetExtraLine(0), QByteArray("s"));
}

void TableFileTest::LoadSendsOneReset() {
  TableDocument document;
  QSignalSpy reset(&document, &TableDocument::tableReset);
  QSignalSpy cells(&document, &TableDocument::cellChanged);
  QVERIFY(!orvane::model::LoadTable(document, DataPath(QStringLiteral("every_form.tbl"))));
  QCOMPARE(reset.count(), 1);
  QCOMPARE(cells.count(), 0);
}

void TableFileTest::LoadOfMissingFileNamesFileButKeepsPath() {
  TempFolder folder;
  for (const QString& path : {folder.Path(QStringLiteral("missing.tbl")), folder.Path({})}) {
    TableDocument document;
    const auto error = orvane::model::LoadTable(document, path);
    QVERIFY(error.has_value());
    QCOMPARE(error->line, 0);
    QVERIFY(!error->reason.isEmpty());
    QCOMPARE(document.WindowTitle(), orvane::testing::TitleFor(path));
    QCOMPARE(document.TablePath(), QStringLiteral("Unnamed"));
  }
}

void TableFileTest::SavedTablePrintsBlocksInOrder() {
  TableDocument document;
  QVERIFY(document.SetBookmark(0, 0x1234, "Intro"));
  document.SetCellText(0x20, "b");
  QVERIFY(document.SetExtraLine(4, "s: 20"));
  document.SetCellText(0x00, "a");
  document.SetCellText(0x2F, "/");  // unmarked: an ordinary entry
  document.SetCellText(0x41, "A");  // marked with other text: an ordinary entry
  document.MarkSpecial(0x41);
  QVERIFY(document.SetBookmark(3, -1, "last"));
  QVERIFY(document.SetBookmark(1, 5, QByteArray()));
  QCOMPARE(orvane::model::TableToBytes(document),
           QByteArray("s: 20\r\n00=a\r\n20=b\r\n2F=/\r\n41=A\r\n\r\n(1234h)Intro\r\n"
                      "\r\n(FFFFFFFFh)last\r\n"));
}

void TableFileTest::ReadsAsExtraLineAgreesWithTheReader_data() {
  QTest::addColumn<QByteArray>("line");
  QTest::addColumn<bool>("extra");
  QTest::newRow("plain") << QByteArray("s: 20") << true;
  QTest::newRow("three digits") << QByteArray("100=x") << true;
  QTest::newRow("unclosed bookmark") << QByteArray("(label") << true;
  QTest::newRow("untitled bookmark") << QByteArray("(12h)") << true;
  QTest::newRow("code entry") << QByteArray("0A=x") << false;
  QTest::newRow("bad code entry") << QByteArray("/0=x") << false;
  QTest::newRow("special") << QByteArray("/00") << false;
  QTest::newRow("bad special") << QByteArray("*x") << false;
  QTest::newRow("bookmark") << QByteArray("(1H)Intro") << false;
  QTest::newRow("line feed") << QByteArray("a\nb") << false;
  QTest::newRow("empty") << QByteArray() << false;
}

void TableFileTest::ReadsAsExtraLineAgreesWithTheReader() {
  QFETCH(QByteArray, line);
  QFETCH(bool, extra);
  QCOMPARE(ReadsAsExtraLine(line), extra);
  if (!extra) return;
  TableDocument document;
  QVERIFY(!LoadTableFromBytes(document, line + "\r\n"));
  QCOMPARE(document.GetExtraLine(0), std::optional<QByteArray>(line));
}

QTEST_GUILESS_MAIN(TableFileTest)
#include "table_file_test.moc"
