#include "check/table_check.h"

#include "data/data_source.h"
#include "model/table_document.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using orvane::check::CheckOptions;
using orvane::check::CheckTable;
using orvane::check::Finding;
using orvane::check::FindingKind;

Q_DECLARE_METATYPE(FindingKind)

class TableCheckTest : public QObject {
  Q_OBJECT

 private slots:
  void FindsWhatNoSingleLineShows_data();
  void FindsWhatNoSingleLineShows();
  void StopsWhenAsked();
  void ChecksTheTableAsEditedWithItsLines();
};

namespace {

// 81 and every code of its page: reading never stops at 81.
QByteArray FullPage(int cells) {
  QByteArray table = "81=x\n";
  for (int cell = 0; cell < cells; ++cell) {
    table += "81" + QByteArray::number(cell, 16).rightJustified(2, '0') + '=' +
             QByteArray::number(cell) + '\n';
  }
  return table;
}

QString Lines(const Finding& finding) {
  QStringList numbers;
  for (const qsizetype line : finding.lines) numbers << QString::number(line);
  return numbers.join(u',');
}

}  // namespace

void TableCheckTest::FindsWhatNoSingleLineShows_data() {
  QTest::addColumn<QByteArray>("table");
  QTest::addColumn<QByteArray>("data");  // hexadecimal; empty for no data file
  QTest::addColumn<FindingKind>("kind");
  QTest::addColumn<QString>("message");  // the one finding of its kind; empty: nothing at all
  QTest::addColumn<QString>("lines");

  const QByteArray a = "\xE3\x81\x82";  // あ in UTF-8
  QTest::newRow("two codes share a text")
      << "8140=" + a + "\n20=" + a + "\n"
      << QByteArray() << FindingKind::kSharedText
      << u"20 and 8140 both read あ; あ is written as 20: 8140 is never written"_s << u"1,2"_s;
  QTest::newRow("three codes, the first of fewest bytes wins")
      << QByteArray("8141= \n8140= \n21= \n") << QByteArray() << FindingKind::kSharedText
      << u"21, 8140 and 8141 all read ' '; ' ' is written as 21: 8140 and 8141 are never written"_s
      << u"1,2,3"_s;
  QTest::newRow("two end marks without labels")
      << QByteArray("41=A\n/FF\n/FE\n") << QByteArray() << FindingKind::kSharedText
      << u"FE and FF both read <END>; <END> is written as FE: FF is never written"_s << u"2,3"_s;
  QTest::newRow("code after an end mark")
      << QByteArray("/FF\nFF41=A\n41=B\n") << QByteArray() << FindingKind::kUnreachable
      << u"FF41 begins with FF, an end mark: a string ends at FF, so FF41 is never read"_s
      << u"1,2"_s;
  QTest::newRow("code after a control code's arguments")
      << QByteArray("$C9=<p>,1\nC941=x\n") << QByteArray() << FindingKind::kUnreachable
      << u"C941 begins with C9, a control code that takes 1 argument byte: the bytes after C9 are "
         "its arguments, so C941 is never read"_s
      << u"1,2"_s;
  QTest::newRow("every continuation a code")
      << FullPage(256) << QByteArray() << FindingKind::kUnreachable
      << u"81 is never read: each of the 256 codes 8100..81FF is a code too, so reading always "
         "takes a longer one"_s
      << u"1"_s;
  QTest::newRow("one continuation left: reachable, nothing found")
      << FullPage(255) << QByteArray() << FindingKind::kUnreachable << QString() << QString();
  QTest::newRow("a control code's label is a plain text")
      << QByteArray("$C9=<p>\\n,1\n3C=<p>\n") << QByteArray() << FindingKind::kControlCode
      << u"control code C9 is labelled <p>, the text of 3C too: <p> in a text could be either"_s
      << u"1,2"_s;
  QTest::newRow("a code's own text in fewer bytes")
      << QByteArray("818283=abc\n01=a\n02=bc\n") << QByteArray() << FindingKind::kLongestFirst
      << u"abc is written longest first as 81 82 83 (3 bytes); 01 02 spell it in 2"_s << u"1"_s;
  QTest::newRow("a string longest first cannot finish, told once")
      << QByteArray("12=Five\n13=SixSeven\n00=FiveSix\n/FF\n") << QByteArray("1213ff1213ff")
      << FindingKind::kLongestFirst
      << u"at 00000000, FiveSixSeven<END>: longest first writes 00 (up to 00), then has no code "
         "for Seven<END>; 12 13 FF spell it"_s
      << u"3"_s;
  QTest::newRow("a string longest first writes as another text")
      << QByteArray("41=A\n42=B\n4142=X\n8142=B\n") << QByteArray("418142")
      << FindingKind::kLongestFirst
      << u"at 00000000, AB: longest first writes 41 42, which reads back as X; 41 81 42 spell it"_s
      << u"1"_s;
  QTest::newRow("a byte no code starts is written as itself")
      << QByteArray("3C=<\n24=$\n38=8\n41=A\n") << QByteArray("3c8041")
      << FindingKind::kLongestFirst << QString() << QString();
  QTest::newRow("a string longest first makes longer")
      << QByteArray("03=ab\n04=cd\n05=abc\n8180=d\n/FF\n") << QByteArray("0304ff")
      << FindingKind::kLongestFirst
      << u"at 00000000, abcd<END>: longest first writes 05 81 80 FF, 4 bytes where 3 would do; "
         "03 04 FF spell it"_s
      << u"3"_s;
  QTest::newRow("a control code's argument is an end mark")
      << QByteArray("$C9=<p>,1\n/FF\n41=A\n") << QByteArray("41c9ff41ff")
      << FindingKind::kControlCode
      << u"control code C9 takes 1 argument byte, and at 00000001 they hold FF, an end mark: the "
         "string ends there or runs on past it"_s
      << u"1,2"_s;
  QTest::newRow("check's warning: defined again")
      << QByteArray("41=A\n41=B\n") << QByteArray() << FindingKind::kDefinedAgain
      << u"code 41 is defined again on line 2"_s << u"1,2"_s;
  QTest::newRow("check's warning: an extra line")
      << QByteArray("41=A\n4G=x\n") << QByteArray() << FindingKind::kExtraLine
      << u"kept as an extra line"_s << u"2"_s;
  QTest::newRow("a sound table and its strings")
      << QByteArray("41=A\n42=B\n4142=C\n/FF\n*FE\n") << QByteArray("41fe4142ff4241ff")
      << FindingKind::kSharedText << QString() << QString();
}

void TableCheckTest::FindsWhatNoSingleLineShows() {
  QFETCH(QByteArray, table);
  QFETCH(QByteArray, data);
  QFETCH(FindingKind, kind);
  QFETCH(QString, message);
  QFETCH(QString, lines);
  orvane::data::BytesSource source(QByteArray::fromHex(data));
  CheckOptions options;
  if (!data.isEmpty()) options.data = &source;
  const auto result = CheckTable(table, options);
  QVERIFY(!result.error);
  QList<Finding> of_kind;
  for (const Finding& finding : result.findings) {
    if (finding.kind == kind) of_kind.append(finding);
  }
  if (message.isEmpty()) {
    QVERIFY2(result.findings.isEmpty(), qPrintable(result.findings.value(0).message));
    return;
  }
  QCOMPARE(of_kind.size(), 1);
  QCOMPARE(of_kind[0].message, message);
  QCOMPARE(Lines(of_kind[0]), lines);
  // Each of the table's own findings has a code to go to.
  QVERIFY(kind >= FindingKind::kDefinedAgain || !of_kind[0].codes.isEmpty());
}

void TableCheckTest::StopsWhenAsked() {
  std::stop_source stop;
  stop.request_stop();
  orvane::data::JobControl control(stop.get_token(), {});
  QByteArray table;
  for (int code = 0; code < 0x2000; ++code)
    table += QByteArray::number(0x8000 + code, 16) + "=ab\n";
  const auto result = CheckTable(table, {}, &control);
  QVERIFY(result.stopped);
  // A table that does not load is checked no further, with the reason.
  const auto broken = CheckTable("\xFE\xFF\xDC", {});
  QVERIFY(broken.error);
  QVERIFY(broken.findings.isEmpty());
}

// The window checks the table as it is now: a code typed since has no line of the file yet, and
// the lines of the others are where a save that keeps the layout writes them.
void TableCheckTest::ChecksTheTableAsEditedWithItsLines() {
  orvane::model::TableDocument document;
  QVERIFY(!orvane::model::LoadTableFromBytes(document, "; notes\n41=A\n42=B\n"));
  document.SetCellText(0x43, "A");
  const auto result = orvane::check::CheckTableState(document.Snapshot(), {});
  QCOMPARE(result.findings.size(), 1);
  QCOMPARE(result.findings[0].message,
           u"41 and 43 both read A; A is written as 41: 43 is never written"_s);
  QCOMPARE(Lines(result.findings[0]), u"2,4"_s);
}

QTEST_GUILESS_MAIN(TableCheckTest)
#include "table_check_test.moc"
