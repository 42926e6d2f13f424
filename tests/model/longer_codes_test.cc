#include "model/table_document.h"
#include "model/table_file.h"
#include "support/temp_table.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using orvane::model::Code;
using orvane::model::LoadTableFromBytes;
using orvane::model::TableDocument;

namespace {

Code Hex(const char* digits) { return *Code::FromHex(digits); }

}  // namespace

class LongerCodesTest : public QObject {
  Q_OBJECT

 private slots:
  void LinesDefineCodesOfTwoToFourBytes_data();
  void LinesDefineCodesOfTwoToFourBytes();
  void EditsRewriteTheirLineInPlace_data();
  void EditsRewriteTheirLineInPlace();
  void PagesListTheCodesTheyHold();
};

void LongerCodesTest::LinesDefineCodesOfTwoToFourBytes_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QByteArray>("code");
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<bool>("special");
  QTest::addColumn<QByteArray>("label");
  QTest::addColumn<int>("codes");  // how many codes the table defines
  QTest::newRow("two bytes") << QByteArray("8140=\x88\x9F\n") << QByteArray("8140")
                             << QByteArray("\x88\x9F") << false << QByteArray() << 1;
  QTest::newRow("three bytes, lower case") << QByteArray("8a5b8b=x\n") << QByteArray("8A5B8B")
                                           << QByteArray("x") << false << QByteArray() << 1;
  QTest::newRow("four bytes") << QByteArray("00000001=x") << QByteArray("00000001")
                              << QByteArray("x") << false << QByteArray() << 1;
  QTest::newRow("no text, still a code")
      << QByteArray("9AF6=\n") << QByteArray("9AF6") << QByteArray() << false << QByteArray() << 1;
  QTest::newRow("line-break mark") << QByteArray("*00f7\n") << QByteArray("00F7") << QByteArray("*")
                                   << true << QByteArray() << 1;
  QTest::newRow("end mark with label") << QByteArray("/FFFF=[end]\n") << QByteArray("FFFF")
                                       << QByteArray("/") << true << QByteArray("[end]") << 1;
  QTest::newRow("two digits mark a single byte")
      << QByteArray("/FF=[end]\n") << QByteArray("FF") << QByteArray("/") << true
      << QByteArray("[end]") << 1;
  QTest::newRow("the later line wins") << QByteArray("8140=a\n8140=b\n") << QByteArray("8140")
                                       << QByteArray("b") << false << QByteArray() << 1;
  QTest::newRow("an entry after a mark") << QByteArray("/8140\n8140=c\n") << QByteArray("8140")
                                         << QByteArray("c") << false << QByteArray() << 1;
  QTest::newRow("five digits are an extra line") << QByteArray("81400=x\n") << QByteArray("8140")
                                                 << QByteArray() << false << QByteArray() << 0;
  QTest::newRow("ten digits are an extra line")
      << QByteArray("0000000000=x\n") << QByteArray("00000000") << QByteArray() << false
      << QByteArray() << 0;
}

void LongerCodesTest::LinesDefineCodesOfTwoToFourBytes() {
  QFETCH(QByteArray, file);
  QFETCH(QByteArray, code);
  QFETCH(QByteArray, text);
  QFETCH(bool, special);
  QFETCH(QByteArray, label);
  QFETCH(int, codes);
  TableDocument document;
  QVERIFY(!LoadTableFromBytes(document, file));
  QCOMPARE(document.GetCellText(Hex(code)), text);
  QCOMPARE(document.IsSpecial(Hex(code)), special);
  QCOMPARE(document.MarkLabel(Hex(code)), label);
  QCOMPARE(document.DefinedCodes().size(), codes);
  // Nothing is lost: every line comes back, the lines of longer codes where they stood.
  TableDocument again;
  QVERIFY(!LoadTableFromBytes(again, orvane::model::TableToBytes(document)));
  QCOMPARE(orvane::model::TableToBytes(again), orvane::model::TableToBytes(document));
}

void LongerCodesTest::EditsRewriteTheirLineInPlace_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QByteArray>("code");
  QTest::addColumn<QString>("edit");  // "text:X", "mark" or "unmark"
  QTest::addColumn<QByteArray>("saved");
  QTest::newRow("only the text changes") << QByteArray("8a40=a\n8142=c\n") << QByteArray("8A40")
                                         << "text:z" << QByteArray("8a40=z\r\n8142=c\r\n");
  QTest::newRow("new after the nearest lower code")
      << QByteArray("8140=a\n; note\n8142=c\n") << QByteArray("8141") << "text:b"
      << QByteArray("8140=a\r\n8141=b\r\n; note\r\n8142=c\r\n");
  QTest::newRow("new before the nearest higher code")
      << QByteArray("; head\n8142=c\n") << QByteArray("8141") << "text:b"
      << QByteArray("; head\r\n8141=b\r\n8142=c\r\n");
  QTest::newRow("new of a length the table lacks goes last")
      << QByteArray("8140=a\n; tail\n") << QByteArray("814000") << "text:x"
      << QByteArray("8140=a\r\n; tail\r\n814000=x\r\n");
  QTest::newRow("emptied loses every line")
      << QByteArray("8140=a\n8140=b\n8141=c\n") << QByteArray("8140")
      << "text:" << QByteArray("8141=c\r\n");
  QTest::newRow("the later line is edited") << QByteArray("8140=a\n8140=b\n") << QByteArray("8140")
                                            << "text:z" << QByteArray("8140=a\r\n8140=z\r\n");
  QTest::newRow("mark rewrites the line")
      << QByteArray("8140=/\n") << QByteArray("8140") << "mark" << QByteArray("/8140\r\n");
  QTest::newRow("unmark rewrites the line")
      << QByteArray("*00f7\n") << QByteArray("00F7") << "unmark" << QByteArray("00f7=*\r\n");
  QTest::newRow("a mark takes no other text")
      << QByteArray("8140=a\n") << QByteArray("8140") << "mark" << QByteArray("8140=a\r\n");
  QTest::newRow("other text over a mark makes an entry")
      << QByteArray("/8140=[end]\n") << QByteArray("8140") << "text:/x"
      << QByteArray("8140=/x\r\n");
  // A mark's label is held without the "=" the file may give: written back as it was.
  QTest::newRow("label after no equals sign")
      << QByteArray("/FFFF[end]\n/FF ; end\n") << QByteArray("FFFF") << "mark"
      << QByteArray("/FFFF[end]\r\n/FF ; end\r\n");
  // The lines around an edit that the file ends with CR LF go out as one run.
  QTest::newRow("a run of CR LF lines around an edit")
      << QByteArray("8140=a\r\n8141=b\r\n8142=c\r\n8143=d\r\n") << QByteArray("8142") << "text:z"
      << QByteArray("8140=a\r\n8141=b\r\n8142=z\r\n8143=d\r\n");
  QTest::newRow("the run's last line without its end")
      << QByteArray("8140=a\r\n8141=b") << QByteArray("41") << "text:A"
      << QByteArray("8140=a\r\n8141=b\r\n41=A\r\n");
  QTest::newRow("runs broken by another line end and a blank line")
      << QByteArray("8140=a\n8141=b\r\n8142=c\r\n\r\n; x\r\n8143=d\r") << QByteArray("41")
      << "text:A" << QByteArray("8140=a\r\n8141=b\r\n8142=c\r\n; x\r\n8143=d\r\n41=A\r\n");
  QTest::newRow("single bytes stay where they are")
      << QByteArray("41=A\n") << QByteArray("8140") << "text:a" << QByteArray("8140=a\r\n41=A\r\n");
}

void LongerCodesTest::EditsRewriteTheirLineInPlace() {
  QFETCH(QByteArray, file);
  QFETCH(QByteArray, code);
  QFETCH(QString, edit);
  QFETCH(QByteArray, saved);
  TableDocument document;
  QVERIFY(!LoadTableFromBytes(document, file));
  if (edit.startsWith(QStringLiteral("text:"))) {
    document.SetCellText(Hex(code), edit.mid(5).toLatin1());
  } else if (edit == QStringLiteral("mark")) {
    document.MarkSpecial(Hex(code));
  } else {
    document.UnmarkSpecial(Hex(code));
  }
  QCOMPARE(orvane::model::TableToBytes(document), saved);
}

void LongerCodesTest::PagesListTheCodesTheyHold() {
  TableDocument document;
  QVERIFY(!LoadTableFromBytes(document, "41=A\n8141=b\n8A5B8B=c\n8140=a\n0100=x\n8140=again\n"));
  QStringList pages;
  for (const orvane::model::PageCount& page : document.Pages()) {
    pages << QString::fromLatin1(page.page.Hex()) + u':' + QString::number(page.codes);
  }
  QCOMPARE(pages, QStringList({u"01:1"_s, u"81:2"_s, u"8A5B:1"_s}));
  QVERIFY(document.LeadsCodes(0x81) && document.LeadsCodes(0x8A) &&
          document.LeadsCodes(Hex("8A5B")));
  QVERIFY(!document.LeadsCodes(0x41) && !document.LeadsCodes(Hex("8140")));
}

QTEST_GUILESS_MAIN(LongerCodesTest)
#include "longer_codes_test.moc"
