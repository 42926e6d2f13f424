// Which encoding a table's texts are read in: tables made for each case.
#include "text/encoding.h"

#include "support/temp_table.h"
#include "text/codec.h"
#include "text/utf8.h"

#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(orvane::text::Encoding)

namespace orvane::text {

using testing::Bytes;

class EncodingTest : public QObject {
  Q_OBJECT

 private slots:
  void DetectionReadsTheTextsAsRealText_data();
  void DetectionReadsTheTextsAsRealText();
  void WhatConvertWritesReadsBackInItsEncoding_data();
  void WhatConvertWritesReadsBackInItsEncoding();
  void NamesAreReadInAnyCase();
  void FirstNonAsciiFindsTheFirstHighByte_data();
  void FirstNonAsciiFindsTheFirstHighByte();
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
  // The rows of code page 932 beyond JIS X 0208, each lead byte on its own.
  QTest::newRow("Shift-JIS Cyrillic, 84")
      << QList<QByteArray>{"\x84\x40", "\x84\x41", "\x84\x70"} << u"Shift-JIS"_qs;
  QTest::newRow("Shift-JIS NEC row, 87")
      << QList<QByteArray>{"\x87\x40", "\x87\x41", "\x87\x90"} << u"Shift-JIS"_qs;
  for (const int lead : {0xED, 0xEE, 0xFA, 0xFB, 0xFC}) {
    QTest::addRow("Shift-JIS IBM kanji, %02X", lead)
        << QList<QByteArray>{Bytes({lead, lead == 0xFA ? 0x5C : 0x40}), Bytes({lead, 0x41})}
        << u"Shift-JIS"_qs;
  }
  // The format's EUC-JP reads other bytes as Windows-1252: one reading, one encoding.
  QTest::newRow("EUC-JP pair and a Latin-1 letter")
      << QList<QByteArray>{"\xE9", "\xA2\xA7"} << u"EUC-JP"_qs;
  QTest::newRow("EUC-JP half-width katakana")
      << QList<QByteArray>{"\x8E\xB1", "\x8E\xC0\x8E\xD6"} << u"EUC-JP"_qs;
  QList<QByteArray> cyrillic;  // А..Я, а..я in EUC-JP: Shift-JIS reads most as half-width pairs
  for (int trail = 0xA1; trail <= 0xF1; ++trail) {
    if (trail <= 0xC1 || trail >= 0xD1) cyrillic << Bytes({0xA7, trail});
  }
  QTest::newRow("EUC-JP Cyrillic") << cyrillic << u"EUC-JP"_qs;
  QList<QByteArray> two_byte_kana;  // ﾀﾖ and the like, which EUC-JP reads as kanji
  for (int i = 0; i < 128; ++i) {
    two_byte_kana << Bytes({0xB1 + i % 45, 0xC0 + i % 29});
  }
  QTest::newRow("half-width katakana two to a code") << two_byte_kana << u"Shift-JIS"_qs;
  // Lines of valid UTF-8 outnumber the others: a stray Latin-1 byte does not decide.
  QTest::newRow("UTF-8 and one Latin-1 line")
      << QList<QByteArray>{"; Ren\xE9", "\xC3\xA1", "\xC3\xA9"} << u"UTF-8"_qs;
  QTest::newRow("as many lines not UTF-8")
      << QList<QByteArray>{"\x82\xA0", "\x82\xA2", "\xE3\x81\x82", "\xE3\x81\x84"}
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

namespace {

// Texts of one to two characters as tables of one kind hold them; signs stand alone.
QString Sample(const QString& kind, QRandomGenerator& random) {
  const auto any = [&random](QStringView characters) {
    return characters.mid(random.bounded(int(characters.size())), 1).toString();
  };
  const auto from = [&random](char16_t low, char16_t high) {
    return QString(QChar(char16_t(low + random.bounded(int(high - low + 1)))));
  };
  const QString latin = u"àáâãäåæçèéêëìíîïñòóôõöøùúûüýÿÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÑÒÓÔÕÖØÙÚÛÜÝß"_qs;
  const int roll = random.bounded(100);
  if (kind == u"half-width") return from(0xFF66, 0xFF9D) + from(0xFF66, 0xFF9D);
  if (kind == u"Latin-1") {
    return roll < 20 ? any(u"¡¿«»°±²³·¹º¼½¾©®§¶€…“”–—•™") : any(latin) + any(latin).left(roll % 2);
  }
  if (kind == u"Japanese, é" && roll < 20) return any(latin);
  QString text;
  for (int i = roll % 2; i < 2; ++i) {
    const int what = random.bounded(100);
    text += what < 35   ? from(0x3041, 0x3093)
            : what < 60 ? from(0x30A1, 0x30F6)
            : what < 80 ? from(0x4E00, 0x9FA0)
            : what < 90 ? any(u"▼▲★☆○●◎◇◆□■△▽→←※〒「」『』【】、。・ー…АБЯабяαβΩ")
                        : from(0xFF10, 0xFF5A);
  }
  return text;
}

}  // namespace

void EncodingTest::WhatConvertWritesReadsBackInItsEncoding_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<Encoding>("target");
  for (const QString& kind : {u"Japanese"_qs, u"Japanese, é"_qs, u"half-width"_qs, u"Latin-1"_qs}) {
    for (const Encoding target : kEncodings) {
      QTest::addRow("%s to %s", qPrintable(kind), qPrintable(EncodingName(target)))
          << kind << target;
    }
  }
}

// Tables of each kind, in UTF-8, converted to each encoding that holds their texts, are read back
// in that encoding, or in one that reads the same characters from their bytes.
void EncodingTest::WhatConvertWritesReadsBackInItsEncoding() {
  QFETCH(QString, kind);
  QFETCH(Encoding, target);
  for (quint32 seed = 1; seed <= 20; ++seed) {
    QRandomGenerator random(seed);
    QByteArray table;
    for (int code = 0, lines = 20 + random.bounded(40); code < lines; ++code) {
      const auto text = Convert(Sample(kind, random).toUtf8(), Encoding::kUtf8, target);
      if (text) table += QByteArray::number(code + 16, 16) + '=' + *text + "\r\n";
    }
    if (table.isEmpty()) continue;  // nothing of this kind fits in the target
    const Encoding read = DetectEncoding(table);
    QVERIFY2(read == target || DecodeLenient(table, read) == DecodeLenient(table, target),
             qPrintable(EncodingName(read) + u":\n"_qs + DecodeLenient(table, target)));
  }
}

void EncodingTest::NamesAreReadInAnyCase() {
  QCOMPARE(EncodingFromName(u"shift-jis"), Encoding::kShiftJis);
  QCOMPARE(EncodingFromName(u"WINDOWS-1252"), Encoding::kWindows1252);
  QCOMPARE(EncodingFromName(u"Utf-8"), Encoding::kUtf8);
  QCOMPARE(EncodingFromName(u"euc-jp"), Encoding::kEucJp);
  QCOMPARE(EncodingFromName(u"SJIS"), std::nullopt);
  QCOMPARE(FormName(FileForm::kUtf8Bom), u"UTF-8 with BOM"_qs);
  QCOMPARE(FormName(FileForm::kUtf16LeNoBom), u"UTF-16LE without BOM"_qs);
}

// Every size that is read a word, a half word or a byte at a time, the first byte above 0x7F at
// each place and more after it.
void EncodingTest::FirstNonAsciiFindsTheFirstHighByte_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<qsizetype>("first");
  for (qsizetype size = 0; size <= 20; ++size) {
    for (qsizetype at = 0; at <= size; ++at) {
      QByteArray bytes(size, 'a');
      for (qsizetype i = at; i < size; i += 3) bytes[i] = static_cast<char>(0x80 + i);
      QTest::addRow("%d bytes, first at %d", static_cast<int>(size), static_cast<int>(at))
          << bytes << at;
    }
  }
}

void EncodingTest::FirstNonAsciiFindsTheFirstHighByte() {
  QFETCH(QByteArray, bytes);
  QFETCH(qsizetype, first);
  QCOMPARE(FirstNonAscii(bytes), first);
  QCOMPARE(IsAscii(bytes), first == bytes.size());
}

}  // namespace orvane::text

QTEST_GUILESS_MAIN(orvane::text::EncodingTest)
#include "encoding_test.moc"
