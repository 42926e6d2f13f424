// A save that keeps the file's own layout: only what changed changes.
#include "editing/table_conversion.h"
#include "model/table_document.h"
#include "model/table_file.h"
#include "support/temp_table.h"

#include <QStringList>
#include <QTest>

using orvane::model::Code;
using orvane::model::SaveLayout;
using orvane::model::TableDocument;

namespace {

QByteArray Utf16Le(QByteArrayView ascii) {
  QByteArray out("\xFF\xFE", 2);
  for (char c : ascii) out.append(c).append('\0');
  return out;
}

// Runs one edit of the form "verb:argument:argument".
void Edit(TableDocument& document, const QString& edit) {
  const QStringList part = edit.split(u':');
  const auto code = [&] { return *Code::FromHex(part[1].toLatin1()); };
  const QString verb = part[0];
  QList<QByteArray> lines = document.ExtraLineList();
  QList<qsizetype> origins = document.GetExtraLines().Origins();
  if (verb == u"set") {
    document.SetCellText(code(), part[2].toUtf8());
  } else if (verb == u"mark") {
    document.MarkSpecial(code());
  } else if (verb == u"unmark") {
    document.UnmarkSpecial(code());
  } else if (verb == u"book+") {
    QVERIFY(document.AddBookmark(part[1].toInt(nullptr, 16), part[2].toUtf8()));
  } else if (verb == u"book=") {
    QVERIFY(
        document.ReplaceBookmark(part[1].toInt(), part[2].toInt(nullptr, 16), part[3].toUtf8()));
  } else if (verb == u"book-") {
    QVERIFY(document.RemoveBookmark(part[1].toInt()));
  } else if (verb == u"extra=") {
    lines[part[1].toInt()] = part[2].toUtf8();
  } else if (verb == u"extra+") {
    lines.insert(part[1].toInt(), part[2].toUtf8());
    origins.insert(part[1].toInt(), 0);
  } else if (verb == u"extra-") {
    lines.removeAt(part[1].toInt());
    origins.removeAt(part[1].toInt());
  } else if (verb == u"convert") {
    QVERIFY(orvane::editing::ConvertTable(document, *orvane::text::EncodingFromName(part[1]))
                .isEmpty());
  }
  if (verb.startsWith(u"extra")) document.SetExtraLines(lines, origins);
}

}  // namespace

class TableLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void OnlyWhatChangedChanges_data();
  void OnlyWhatChangedChanges();
};

void TableLayoutTest::OnlyWhatChangedChanges_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QString>("edit");
  QTest::addColumn<QByteArray>("saved");
  const QByteArray mixed = "; head\r\n0a=x\n\n(1h)b\r42=B\r\n41=A\n41=C\n/ff=[end]\n8140=k";
  QTest::newRow("no change, mixed ends, no final end") << mixed << QString() << mixed;
  QTest::newRow("no change, code without text")
      << QByteArray("A4=\n\n") << QString() << QByteArray("A4=\n\n");
  QTest::newRow("text in place, spelling kept")
      << QByteArray("0a=x\n41=A\n") << "set:0A:y" << QByteArray("0a=y\n41=A\n");
  QTest::newRow("new code after the nearest lower")
      << QByteArray("41=A\r\n; c\r\n43=C\r\n") << "set:42:B"
      << QByteArray("41=A\r\n42=B\r\n; c\r\n43=C\r\n");
  QTest::newRow("new code before the nearest higher")
      << QByteArray("; c\r43=C\r") << "set:41:A" << QByteArray("; c\r41=A\r43=C\r");
  QTest::newRow("new code after the last code line")
      << QByteArray("8140=k\n; end\n") << "set:41:A" << QByteArray("8140=k\n41=A\n; end\n");
  QTest::newRow("no final end stays none")
      << QByteArray("41=A\n43=C") << "set:44:D" << QByteArray("41=A\n43=C\n44=D");
  QTest::newRow("a new line takes the usual end")
      << QByteArray("41=A\r\n42=B\r\n; x\n") << "set:43:C"
      << QByteArray("41=A\r\n42=B\r\n43=C\r\n; x\n");
  QTest::newRow("emptied code loses every line")
      << QByteArray("41=A\n; x\n41=B\n") << "set:41:" << QByteArray("; x\n");
  QTest::newRow("the later of two lines is edited")
      << QByteArray("41=A\n41=B\n") << "set:41:Z" << QByteArray("41=A\n41=Z\n");
  QTest::newRow("mark set adds its line")
      << QByteArray("2F=/\n") << "mark:2F" << QByteArray("2F=/\n/2F\n");
  QTest::newRow("mark cleared takes its line away")
      << QByteArray("2F=/\n/2F\n") << "unmark:2F" << QByteArray("2F=/\n");
  QTest::newRow("a lone mark cleared becomes the code's line")
      << QByteArray("/ff=[end]\n") << "unmark:FF" << QByteArray("ff=/\n");
  QTest::newRow("bookmark title in place")
      << QByteArray("41=A\n(00ffh)Intro\n") << "book=:0:FF:Start"
      << QByteArray("41=A\n(00ffh)Start\n");
  QTest::newRow("bookmark deleted")
      << QByteArray("(10h)a\n(20h)b\n") << "book-:0" << QByteArray("(20h)b\n");
  QTest::newRow("bookmark deleted, the last moved into its slot")
      << QByteArray("(10h)a\n(20h)b\r\n(30h)c\n") << "book-:0" << QByteArray("(30h)c\n\n(20h)b\n");
  QTest::newRow("a bookmark whose line comes before the one above it goes to the end")
      << QByteArray("(10h)a\n(20h)b\n(30h)c\n(40h)d\n") << "book-:1"
      << QByteArray("(10h)a\n(40h)d\n\n(30h)c\n");
  QTest::newRow("new bookmark at the end")
      << QByteArray("41=A\n") << "book+:10:x" << QByteArray("41=A\n\n(10h)x\n");
  QTest::newRow("extra line in place")
      << QByteArray("; a\n41=A\n; b\n") << "extra=:1:; B" << QByteArray("; a\n41=A\n; B\n");
  QTest::newRow("new extra line after the row before it")
      << QByteArray("; a\n41=A\n; b\n") << "extra+:1:; new"
      << QByteArray("; a\n; new\n41=A\n; b\n");
  QTest::newRow("extra line deleted")
      << QByteArray("; a\n41=A\n; b\n") << "extra-:0" << QByteArray("41=A\n; b\n");
  QTest::newRow("new longer code before the nearest higher of its length")
      << QByteArray("20= \n; c\n9940=x\n") << "set:88F8:y"
      << QByteArray("20= \n; c\n88F8=y\n9940=x\n");
  QTest::newRow("new longer code of a length the file lacks, after the extra lines")
      << QByteArray("41=A\n; c\n42=B\n") << "set:8140:k" << QByteArray("41=A\n; c\n8140=k\n42=B\n");
  QTest::newRow("labels keep their spelling")
      << QByteArray("/FF[end]\n/FE ; end\n/FD=[x]\n/FFFF[e]\n") << "set:FD:/"
      << QByteArray("/FF[end]\n/FE ; end\n/FD=[x]\n/FFFF[e]\n");
  QTest::newRow("longer code in place")
      << QByteArray("41=A\n8a40=a\n") << "set:8A40:z" << QByteArray("41=A\n8a40=z\n");
  QTest::newRow("UTF-16 keeps its form")
      << Utf16Le("41=A\n42=B") << "set:42:C" << Utf16Le("41=A\n42=C");
  QTest::newRow("every line gone writes nothing")
      << QByteArray("41=A\n") << "set:41:" << QByteArray();
  QTest::newRow("conversion rewrites texts in place")
      << QByteArray("41=\x82\xA0\n; \x82\xA2\n\n41=\x82\xA4\n") << "convert:UTF-8"
      << QByteArray("41=\xE3\x81\x82\n; \xE3\x81\x84\n\n41=\xE3\x81\x86\n");
}

void TableLayoutTest::OnlyWhatChangedChanges() {
  QFETCH(QByteArray, file);
  QFETCH(QString, edit);
  QFETCH(QByteArray, saved);
  TableDocument document;
  QVERIFY(!orvane::model::LoadTableFromBytes(document, file));
  if (!edit.isEmpty()) Edit(document, edit);
  const auto bytes = orvane::model::FileBytes(document, SaveLayout::kKeepFile);
  QCOMPARE(std::get<QByteArray>(bytes), saved);
  // What is written reads back as the table that was edited.
  TableDocument reloaded;
  QVERIFY(!orvane::model::LoadTableFromBytes(reloaded, saved));
  QCOMPARE(orvane::model::TableToBytes(reloaded), orvane::model::TableToBytes(document));
}

QTEST_GUILESS_MAIN(TableLayoutTest)
#include "table_layout_test.moc"
