#include "support/temp_table.h"
#include "tbl_tool.h"

#include <QFileInfo>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using orvane::testing::TempFolder;
using orvane::tools::RunTblTool;

class DataCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void DecodeAndEncodeAnswerOrSayWhy_data();
  void DecodeAndEncodeAnswerOrSayWhy();
};

void DataCommandsTest::DecodeAndEncodeAnswerOrSayWhy_data() {
  QTest::addColumn<QStringList>("arguments");  // TABLE, DATA and DIR stand for the files
  QTest::addColumn<int>("exit_code");
  QTest::addColumn<QByteArray>("out");
  QTest::addColumn<QByteArray>("err");  // its first line; DIR stands for the folder

  const QStringList decode = {u"decode"_s, u"TABLE"_s, u"DATA"_s};
  QTest::newRow("decode all") << decode << 0
                              << QByteArray(
                                     "00000000: A<$00>\xE2\x90\x81<LINE>B[end]\n"
                                     "00000006: \xE4\xBA\x9C"
                                     "B")
                              << QByteArray();
  QTest::newRow("decode from an offset for a length")
      << decode + QStringList{u"--length"_s, u"3"_s, u"--from"_s, u"5"_s} << 0
      << QByteArray("00000005: [end]\n00000006: \xE4\xBA\x9C") << QByteArray();
  QTest::newRow("decode from the end")
      << decode + QStringList{u"--from"_s, u"9"_s} << 0 << QByteArray() << QByteArray();
  QTest::newRow("decode past the end")
      << decode + QStringList{u"--from"_s, u"a"_s} << 1 << QByteArray()
      << QByteArray("DIR/data.bin: offset 0000000A is past the end of the data (9 bytes)");
  QTest::newRow("decode an empty file") << QStringList{u"decode"_s, u"TABLE"_s, u"DIR/empty.bin"_s}
                                        << 0 << QByteArray() << QByteArray();
  QTest::newRow("decode a folder") << QStringList{u"decode"_s, u"TABLE"_s, u"DIR"_s} << 1
                                   << QByteArray() << QByteArray("DIR is a folder.");
  QTest::newRow("offset not hex") << decode + QStringList{u"--from"_s, u"0x1g"_s} << 2
                                  << QByteArray()
                                  << QByteArray(
                                         "orvane-tbl: --from takes an offset in "
                                         "hexadecimal, not '0x1g'");
  QTest::newRow("offset too large")
      << decode + QStringList{u"--from"_s, u"$10000000000000000"_s} << 2 << QByteArray()
      << QByteArray("orvane-tbl: --from '$10000000000000000' is too large for an offset");
  QTest::newRow("length not a number")
      << decode + QStringList{u"--length"_s, u"-1"_s} << 2 << QByteArray()
      << QByteArray(
             "orvane-tbl: --length takes a number of "
             "bytes, not '-1'");
  QTest::newRow("decode without data") << QStringList{u"decode"_s, u"TABLE"_s} << 2 << QByteArray()
                                       << QByteArray("orvane-tbl: decode takes TABLE DATA");

  QTest::newRow("encode") << QStringList{u"encode"_s, u"TABLE"_s, u"B亜<$00>[end]"_s} << 0
                          << QByteArray("42 81 40 00 FF") << QByteArray();
  QTest::newRow("encode with another spelling")
      << QStringList{u"encode"_s, u"TABLE"_s, u"xB"_s} << 0 << QByteArray("90 50 42")
      << QByteArray(
             "The fewest bytes, 90 42, read back as '\xE6\xBC\xA2'; "
             "these read back as the text.");
  QTest::newRow("encode a character without a code")
      << QStringList{u"encode"_s, u"TABLE"_s, u"AZ"_s} << 1 << QByteArray()
      << QByteArray("No code for 'Z' (character 2).");
  QTest::newRow("encode without text") << QStringList{u"encode"_s, u"TABLE"_s} << 2 << QByteArray()
                                       << QByteArray("orvane-tbl: encode takes TABLE TEXT");
  QTest::newRow("help names both") << QStringList{u"--help"_s} << 0
                                   << QByteArray("usage: orvane-tbl check FILE") << QByteArray();
}

void DataCommandsTest::DecodeAndEncodeAnswerOrSayWhy() {
  QFETCH(QStringList, arguments);
  QFETCH(int, exit_code);
  QFETCH(QByteArray, out);
  QFETCH(QByteArray, err);
  TempFolder folder;
  const QString table =
      folder.Write(u"t.tbl"_s,
                   "41=A\n42=B\n01=\x01\n*FE\n/FF=[end]\n8140=\xE4\xBA\x9C\n90=x\n"
                   "9042=\xE6\xBC\xA2\n5042=B\n");
  const QString data = folder.Write(u"data.bin"_s, QByteArray::fromHex("410001fe42ff814042"));
  (void)folder.Write(u"empty.bin"_s, {});
  const QString dir = QFileInfo(data).path();
  for (QString& argument : arguments) {
    argument.replace(u"TABLE"_s, table).replace(u"DATA"_s, data).replace(u"DIR"_s, dir);
  }
  const auto result = RunTblTool(arguments);
  QCOMPARE(result.exit_code, exit_code);
  if (arguments.first() == u"--help"_s) {
    QVERIFY(result.out.contains("orvane-tbl decode TABLE DATA [--from HEX] [--length N]\n"));
    QVERIFY(result.out.contains("orvane-tbl encode TABLE TEXT\n"));
    return;
  }
  QCOMPARE(result.out, out.isEmpty() ? out : out + '\n');
  QCOMPARE(result.err.split('\n').first(), err.replace("DIR", dir.toLocal8Bit()));
  if (exit_code == 2) QVERIFY(result.err.contains("\nusage: orvane-tbl check FILE\n"));
}

QTEST_GUILESS_MAIN(DataCommandsTest)
#include "data_commands_test.moc"
