#include "data/text_encoder.h"

#include "data/string_reader.h"
#include "model/table_document.h"
#include "model/table_file.h"

#include <QTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;

class TextEncoderTest : public QObject {
  Q_OBJECT

 private slots:
  void MakesTheFewestBytesThatReadBack_data();
  void MakesTheFewestBytesThatReadBack();
  void TypedTextOfAMegabyteIsEncoded();
  void TypedTextIsNormalized();
  void ReadBackCheckGrowsWithTheTextAlone_data();
  void ReadBackCheckGrowsWithTheTextAlone();
};

namespace {

// 20 codes reading "a" (01 to 14), 15 reading "b", and the 8,000 codes of three of those and
// 15, each reading "Z": "aaab" spells as bytes that read back as "Z".
QByteArray OverlappingTable() {
  QByteArray table;
  for (int a = 1; a <= 20; ++a) table += QByteArray::number(a, 16).rightJustified(2, '0') + "=a\n";
  table += "15=b\n";
  for (int code = 0; code < 8000; ++code) {
    for (const int digit : {code / 400, code / 20 % 20, code % 20}) {
      table += QByteArray::number(digit + 1, 16).rightJustified(2, '0');
    }
    table += "15=Z\n";
  }
  return table;
}

}  // namespace

void TextEncoderTest::MakesTheFewestBytesThatReadBack_data() {
  QTest::addColumn<QByteArray>("table");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("bytes");    // spaced hex, or nothing
  QTest::addColumn<QString>("message");  // or nothing

  const QByteArray five = "12=Five\n13=SixSeven\n00=FiveSix\n";
  QTest::newRow("search, not first match") << five << u"FiveSixSeven"_s << u"12 13"_s << QString();
  QTest::newRow("empty text") << five << QString() << QString() << QString();
  QTest::newRow("first in byte order among as few")
      << QByteArray("41=A\n30=A\n") << u"AA"_s << u"30 30"_s << QString();
  QTest::newRow("first in byte order over splits")
      << QByteArray("2001=ab\n10=a\n02=b\n") << u"ab"_s << u"10 02"_s << QString();
  QTest::newRow("fewest bytes over fewer codes")
      << QByteArray("8140=ab\n61=a\n62=b\n63=abc\n") << u"abab"_s << u"61 62 61 62"_s << QString();
  QTest::newRow("raw bytes") << QByteArray("41=A\n") << u"<$82><$A0>A"_s << u"82 A0 41"_s
                             << QString();
  QTest::newRow("end label and markers")
      << QByteArray("41=A\n/FF=[end]\n*FE\n/FD\n") << u"A<LINE>A[end]<END>"_s << u"41 FE 41 FF FD"_s
      << QString();
  QTest::newRow("kanji of two bytes") << QByteArray("8140=\xE4\xBA\x9C\n8141=\xE5\xA4\x9A\n")
                                      << u"多亜"_s << u"81 41 81 40"_s << QString();
  QTest::newRow("no code for a character") << QByteArray("41=A\n42=B\n") << u"ABxB"_s << QString()
                                           << u"No code for 'x' (character 3)."_s;
  QTest::newRow("character counted whole") << QByteArray("41=A\n") << u"A\U0001D11EA"_s << QString()
                                           << u"No code for '\U0001D11E' (character 2)."_s;
  QTest::newRow("reads back as another text")
      << QByteArray("90=x\n9041=\xE6\xBC\xA2\n41=A\n") << u"xA"_s << QString()
      << u"The bytes 90 41 read back as '漢'; no other bytes read back as the text."_s;
  QTest::newRow("another spelling reads back")
      << QByteArray("90=x\n9041=\xE6\xBC\xA2\n41=A\n5041=A\n") << u"xA"_s << u"90 50 41"_s
      << u"The fewest bytes, 90 41, read back as '漢'; these read back as the text."_s;
  QTest::newRow("a code after a code of three bytes")
      << QByteArray("818283=z\n8182=y\n83=w\n84=v\n82=u\n") << u"yw"_s << QString()
      << u"The bytes 81 82 83 read back as 'z'; no other bytes read back as the text."_s;
  QTest::newRow("raw byte that a code reads")
      << QByteArray("41=A\n") << u"<$41>"_s << QString()
      << u"The bytes 41 read back as 'A'; no other bytes read back as the text."_s;
  QTest::newRow("codes that overlap in many ways")
      << OverlappingTable() << u"a"_s.repeated(100) + u'b' << QString()
      << u"The bytes "_s + u"01 "_s.repeated(63) + u"01 …"_s + u" read back as '"_s +
             u"a"_s.repeated(64) + u"…'; no other bytes read back as the text."_s;
  const QByteArray controls =
      "41=A\n$C9=<pause=>,1\n$F3=[color]\\n,c=%D,f=%B\n$05=,1\nFF=<clear>\\n\\n\n";
  QTest::newRow("a control code and its argument")
      << controls << u"A<pause=><$1E>A"_s << u"41 C9 1E 41"_s << QString();
  QTest::newRow("an argument that is a code's byte")
      << controls << u"<pause=><$41>"_s << u"C9 41"_s << QString();
  QTest::newRow("named arguments and the line after them")
      << controls << u"[color c=12 f=%00000011]<LINE>A"_s << u"F3 0C 03 41"_s << QString();
  QTest::newRow("a control code without its line break")
      << controls << u"[color c=0 f=%11111111]"_s << u"F3 00 FF"_s << QString();
  QTest::newRow("a text with or without its line breaks")
      << controls << u"<clear>A<clear><LINE><LINE>"_s << u"FF 41 FF"_s << QString();
  QTest::newRow("a text's own codes before codes less their line breaks")
      << QByteArray("00=bb\n02=bbb\\n\n") << u"bbbbbb"_s << u"00 00 00"_s << QString();
  QTest::newRow("a control code's empty label")
      << controls << u"<$05><$FF>"_s << u"05 FF"_s << QString();
  QTest::newRow("a control code of two bytes")
      << QByteArray("$8140=[k],2\n") << u"[k]<$81><$40>"_s << u"81 40 81 40"_s << QString();
  QTest::newRow("a control code of 255 arguments")
      << QByteArray("$C9=<x>,255\n") << u"<x>"_s + u"<$07>"_s.repeated(255)
      << u"C9"_s + u" 07"_s.repeated(255) << QString();
  QTest::newRow("a label that is a plain code's text too")
      << QByteArray("41=<p>\n$C9=<p>,1\n") << u"<p><$05><p>"_s << u"41 05 41"_s << QString();
  QTest::newRow("a label without its argument")
      << controls << u"A<pause=>A"_s << QString()
      << u"The control code C9 <pause=> (character 2) takes 1 argument byte: <pause=><$XX>."_s;
  QTest::newRow("a named argument out of its range")
      << controls << u"[color c=256 f=%00000000]"_s << QString()
      << u"The control code F3 [color] (character 1) takes the arguments c, f: "
         u"[color c=N f=%BBBBBBBB]."_s;
  QTest::newRow("a longer code over the argument")
      << QByteArray("$C9=<p>,1\nC941=z\n") << u"<p><$41>"_s << QString()
      << u"The bytes C9 41 read back as 'z'; no other bytes read back as the text."_s;
  QTest::newRow("raw byte that leads a code")
      << QByteArray("8140=\xE4\xBA\x9C\n40=@\n") << u"<$81>@"_s << QString()
      << u"The bytes 81 40 read back as '亜'; no other bytes read back as the text."_s;
}

void TextEncoderTest::MakesTheFewestBytesThatReadBack() {
  QFETCH(QByteArray, table);
  QFETCH(QString, text);
  QFETCH(QString, bytes);
  QFETCH(QString, message);
  model::TableDocument document;
  QVERIFY(!model::LoadTableFromBytes(document, table));
  data::CodeLookup lookup;
  lookup.Build(document);
  const data::EncodeResult result = data::TextEncoder(lookup).Encode(text);
  QCOMPARE(result.Message(), message);
  if (result.status != data::EncodeResult::Status::kOk) return;
  QCOMPARE(data::HexBytes(result.bytes), bytes);
  // The same text, up to the line breaks a code's text may be typed without.
  QCOMPARE(data::ReadText(lookup, result.bytes).remove(data::kLineMarker.toString()),
           QString(text).remove(data::kLineMarker.toString()));
}

void TextEncoderTest::TypedTextOfAMegabyteIsEncoded() {
  model::TableDocument document;
  QVERIFY(!model::LoadTableFromBytes(document, "41=A\n4141=AA\n42=B\n/FF\n"));
  data::CodeLookup lookup;
  lookup.Build(document);
  const data::TextEncoder encoder(lookup);
  const QString text = u"AB"_s.repeated(1 << 19);
  const data::EncodeResult result = encoder.Encode(text);
  QCOMPARE(result.bytes.size(), text.size());
  QVERIFY(result.Message().isEmpty());
  const data::EncodeResult missing = encoder.Encode(text + u'x');
  QCOMPARE(missing.Message(), u"No code for 'x' (character 1048577)."_s);
  QCOMPARE(encoder.Encode(QString(data::kMaxEncodedText + 1, u'A')).status,
           data::EncodeResult::Status::kTooLong);
}

void TextEncoderTest::TypedTextIsNormalized() {
  QCOMPARE(data::NormalizeTypedText(u"a<$8f><$zz>\r\nb\n"_s), u"a<$8F><$zz><LINE>b<LINE>"_s);
  // As a cell shows a control character: what a reading printed types back.
  QCOMPARE(data::NormalizeTypedText(u"\ta\u007F"_s), u"\u2409a\u2421"_s);
}

void TextEncoderTest::ReadBackCheckGrowsWithTheTextAlone_data() {
  QTest::addColumn<int>("count");  // of a's before the b
  QTest::newRow("10") << 10;
  QTest::newRow("1000") << 1000;
}

// Codes that begin alike and go on alike are one state of the check, not 8,000.
void TextEncoderTest::ReadBackCheckGrowsWithTheTextAlone() {
  QFETCH(int, count);
  model::TableDocument document;
  QVERIFY(!model::LoadTableFromBytes(document, OverlappingTable()));
  data::CodeLookup lookup;
  lookup.Build(document);
  data::SpellingIndex index;
  lookup.ForEach([&index](const data::CodeReading& reading) {
    index[reading.shown[0].unicode()].push_back(
        data::Spelling{reading.shown, reading.code.Bytes()});
  });
  const QString text = u"a"_s.repeated(count) + u'b';
  const data::SpellingSearch checked(index, lookup, text, true);
  QVERIFY(!checked.Abandoned());
  QVERIFY(!checked.Spelled());
  // Each position: a node or two, each trying the 21 codes there.
  QCOMPARE_LT(checked.Work(), 64 * (text.size() + 1));
}

QTEST_GUILESS_MAIN(TextEncoderTest)
#include "text_encoder_test.moc"
