#include "ui/display_text.h"

#include "model/table_document.h"

#include <QTest>

namespace orvane::ui {

class DisplayTextTest : public QObject {
  Q_OBJECT

 private slots:
  void EverySingleByteShowsOneVisibleCharacter();
  void EveryKanaPairShowsItsKana();
  void JisPairsBeyondKanaUseTheConverter();
  void InvalidPairsFallBackByteByByte();
  void Utf8TablesShowUtf8AndFallBackPerCell();
  void DetectEncodingNeedsValidUtf8Everywhere();
  void TypedTextIsEncodedInTheTableEncoding();
  void KeysOfLatin1AndWindows1252BecomeTheirByte();
};

void DisplayTextTest::EverySingleByteShowsOneVisibleCharacter() {
  for (int byte = 0; byte < 256; ++byte) {
    for (auto encoding : {TextEncoding::kEucJp, TextEncoding::kUtf8}) {
      const QString shown = DisplayText(QByteArray(1, static_cast<char>(byte)), encoding);
      QCOMPARE(shown.size(), 1);
      const QChar character = shown.front();
      QVERIFY2(character.isPrint() || character == QChar::ReplacementCharacter,
               qPrintable(QStringLiteral("byte %1").arg(byte)));
      QVERIFY(!character.isSpace() || byte == 0x20 || byte == 0xA0);
      if (byte >= 0x20 && byte < 0x7F) QCOMPARE(character.unicode(), char16_t(byte));
      if (byte >= 0xA0 && byte != 0xAD) QCOMPARE(character.unicode(), char16_t(byte));
    }
  }
  QCOMPARE(DisplayText("\x80", TextEncoding::kEucJp), QStringLiteral("\u20AC"));
  QCOMPARE(DisplayText(QByteArray(1, '\0'), TextEncoding::kEucJp), QStringLiteral("\u2400"));
}

void DisplayTextTest::EveryKanaPairShowsItsKana() {
  int pairs = 0;
  for (int trail = 0xA1; trail <= 0xF3; ++trail, ++pairs) {
    const QByteArray hiragana{"\xA4"};
    QCOMPARE(DisplayText(hiragana + static_cast<char>(trail), TextEncoding::kEucJp),
             QString(QChar(char16_t(0x3041 + trail - 0xA1))));
  }
  for (int trail = 0xA1; trail <= 0xF6; ++trail, ++pairs) {
    const QByteArray katakana{"\xA5"};
    QCOMPARE(DisplayText(katakana + static_cast<char>(trail), TextEncoding::kEucJp),
             QString(QChar(char16_t(0x30A1 + trail - 0xA1))));
  }
  QCOMPARE(pairs, 169);
  // A kana typed after letters, and letters after a kana.
  QCOMPARE(DisplayText("k\xA4\xAB"
                       "ki",
                       TextEncoding::kEucJp),
           QStringLiteral("k\u304Bki"));
}

void DisplayTextTest::JisPairsBeyondKanaUseTheConverter() {
  QCOMPARE(DisplayText("\xB0\xA1", TextEncoding::kEucJp), QStringLiteral("\u4E9C"));  // a kanji
  QCOMPARE(DisplayText("\xA1\xA2", TextEncoding::kEucJp), QStringLiteral("\u3001"));
}

void DisplayTextTest::InvalidPairsFallBackByteByByte() {
  // A lone lead byte, and a pair outside JIS X 0208, show as two Windows-1252 characters.
  QCOMPARE(DisplayText("\xA4", TextEncoding::kEucJp), QStringLiteral("\u00A4"));
  QCOMPARE(DisplayText("\xA9\xA1", TextEncoding::kEucJp), QStringLiteral("\u00A9\u00A1"));
  QCOMPARE(DisplayText("A\xA4", TextEncoding::kEucJp), QStringLiteral("A\u00A4"));
}

void DisplayTextTest::Utf8TablesShowUtf8AndFallBackPerCell() {
  QCOMPARE(DisplayText("\xE3\x81\x82", TextEncoding::kUtf8), QStringLiteral("\u3042"));
  QCOMPARE(DisplayText("\xE3\x81\x82", TextEncoding::kEucJp).size(), 3);  // no EUC-JP pair
  QCOMPARE(DisplayText("\xA4\xAB", TextEncoding::kUtf8), QStringLiteral("\u304B"));
  QCOMPARE(DisplayText("a\tb", TextEncoding::kUtf8), QStringLiteral("a\u2409b"));
  // Overlong, surrogate and cut sequences are not UTF-8 and show byte by byte.
  QCOMPARE(DisplayText("\xC0\xAF", TextEncoding::kUtf8), QStringLiteral("\u00C0\u00AF"));
  QCOMPARE(DisplayText("\xED\xA0\x80", TextEncoding::kUtf8).size(), 3);
  QCOMPARE(DisplayText("\xE3\x81", TextEncoding::kUtf8).size(), 2);
}

void DisplayTextTest::DetectEncodingNeedsValidUtf8Everywhere() {
  model::TableDocument document;
  QCOMPARE(DetectEncoding(document), TextEncoding::kEucJp);  // nothing non-ASCII: the default
  document.SetCellText(0x41, "A");
  QCOMPARE(DetectEncoding(document), TextEncoding::kEucJp);
  document.SetCellText(0x10, "\xE3\x81\x82");
  QCOMPARE(DetectEncoding(document), TextEncoding::kUtf8);
  QVERIFY(document.SetExtraLine(0, "\xA4\xA2"));
  QCOMPARE(DetectEncoding(document), TextEncoding::kEucJp);
}

void DisplayTextTest::TypedTextIsEncodedInTheTableEncoding() {
  QCOMPARE(EncodeText(QStringLiteral("\u304B"), TextEncoding::kEucJp), QByteArray("\xA4\xAB"));
  QCOMPARE(EncodeText(QStringLiteral("\u4E9C"), TextEncoding::kEucJp), QByteArray("\xB0\xA1"));
  QCOMPARE(EncodeText(QStringLiteral("\u304B"), TextEncoding::kUtf8), QByteArray("\xE3\x81\x8B"));
  QVERIFY(!EncodeText(QStringLiteral("\U0001F600"), TextEncoding::kEucJp).has_value());
  // Letters outside JIS X 0208 take their Windows-1252 byte, as their key would type them,
  // never the three-byte JIS X 0212 form that this display would not read back.
  QCOMPARE(EncodeText(QStringLiteral("caf\u00E9 \u00FC"), TextEncoding::kEucJp),
           QByteArray("caf\xE9 \xFC"));
  QCOMPARE(EncodeText(QStringLiteral("\uFF71"), TextEncoding::kEucJp), std::nullopt);
}

void DisplayTextTest::KeysOfLatin1AndWindows1252BecomeTheirByte() {
  QCOMPARE(KeyByte(QChar(u'a')), std::optional<quint8>(0x61));
  QCOMPARE(KeyByte(QChar(u'\u00E9')), std::optional<quint8>(0xE9));
  QCOMPARE(KeyByte(QChar(u'\u20AC')), std::optional<quint8>(0x80));
  QCOMPARE(KeyByte(QChar(u'\u3042')), std::nullopt);
}

}  // namespace orvane::ui

QTEST_GUILESS_MAIN(orvane::ui::DisplayTextTest)
#include "display_text_test.moc"
