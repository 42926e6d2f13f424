// Which encoding a table's texts are read in: tables made for each case.
#include "text/encoding.h"

#include <QTest>

namespace orvane::text {

class EncodingTest : public QObject {
  Q_OBJECT

 private slots:
  void DetectionReadsTheTextsAsRealText_data();
  void DetectionReadsTheTextsAsRealText();
  void NamesAreReadInAnyCase();
};

void EncodingTest::DetectionReadsTheTextsAsRealText_data() {
  QTest::addColumn<QList<QByteArray>>("texts");
  QTest::addColumn<QString>("encoding");
  QList<QByteArray> syllabary;  // ｦ .. ﾝ, one to a cell
  for (int byte = 0xA6; byte <= 0xDD; ++byte) syllabary << QByteArray(1, static_cast<char>(byte));
  QTest::newRow("nothing above 7F") << QList<QByteArray>{"A", "b c"} << u"EUC-JP"_qs;
  QTest::newRow("UTF-8 kana") << QList<QByteArray>{"A", "\xE3\x81\x82"} << u"UTF-8"_qs;
  QTest::newRow("Shift-JIS kana") << QList<QByteArray>{"\x82\xA0", "\x82\xA9", "\x83\x41"}
                                  << u"Shift-JIS"_qs;
  QTest::newRow("EUC-JP kana") << QList<QByteArray>{"\xA4\xA2", "\xA4\xAB", "\xA5\xA2"}
                               << u"EUC-JP"_qs;
  QTest::newRow("Shift-JIS kanji") << QList<QByteArray>{"\x8A\xBF", "\x8E\x9A"} << u"Shift-JIS"_qs;
  // Also two half-width katakana in Shift-JIS: the format's own encoding wins the tie.
  QTest::newRow("EUC-JP kanji") << QList<QByteArray>{"\xB4\xC1", "\xBB\xFA"} << u"EUC-JP"_qs;
  QTest::newRow("Shift-JIS full-width Latin")
      << QList<QByteArray>{"\x82\x81", "\x82\x82", "\x82\x60"} << u"Shift-JIS"_qs;
  QTest::newRow("half-width katakana syllabary") << syllabary << u"Shift-JIS"_qs;
  QTest::newRow("Latin-1 accented letters")
      << QList<QByteArray>{"\xE9", "\xE8", "\xC4", "\xFC", "\xDF", "\xE4 "} << u"Windows-1252"_qs;
  QTest::newRow("Latin-1 capitals only")
      << QList<QByteArray>{"\xC4", "\xD6", "\xDC"} << u"Windows-1252"_qs;
  QTest::newRow("one middle dot") << QList<QByteArray>{"\xB7"} << u"Windows-1252"_qs;
  QTest::newRow("Windows-1252 quotes")
      << QList<QByteArray>{"\x93x\x94", "\x85"} << u"Windows-1252"_qs;
  // One stray byte does not turn a Shift-JIS table into Windows-1252.
  QTest::newRow("Shift-JIS with a stray byte")
      << QList<QByteArray>{"\x82\xA0", "\x82\xA2", "\x82\xA4", "\x83\x41", "\xFF"}
      << u"Shift-JIS"_qs;
}

void EncodingTest::DetectionReadsTheTextsAsRealText() {
  QFETCH(QList<QByteArray>, texts);
  QFETCH(QString, encoding);
  // As a table's lines, each after its code.
  QByteArray table;
  for (const QByteArray& text : texts) table += "00=" + text + "\r\n";
  QCOMPARE(EncodingName(DetectEncoding(table)), encoding);
}

void EncodingTest::NamesAreReadInAnyCase() {
  QCOMPARE(EncodingFromName(u"shift-jis"), Encoding::kShiftJis);
  QCOMPARE(EncodingFromName(u"WINDOWS-1252"), Encoding::kWindows1252);
  QCOMPARE(EncodingFromName(u"Utf-8"), Encoding::kUtf8);
  QCOMPARE(EncodingFromName(u"euc-jp"), Encoding::kEucJp);
  QCOMPARE(EncodingFromName(u"SJIS"), std::nullopt);
  QCOMPARE(FormName(FileForm::kUtf8Bom), u"UTF-8 with BOM"_qs);
}

}  // namespace orvane::text

QTEST_GUILESS_MAIN(orvane::text::EncodingTest)
#include "encoding_test.moc"
