// What a user sees for a table's bytes, and the bytes typed characters become.
#include "text/display_text.h"

#include "support/temp_table.h"
#include "text/codec.h"
#include "text/encoding.h"
#include "text/typed_text.h"
#include "text/windows1252.h"

#include <QTest>

namespace orvane::text {

using testing::Bytes;

class DisplayTextTest : public QObject {
  Q_OBJECT

 private slots:
  void EverySingleByteShowsOneVisibleCharacter();
  void KanaPairsShowTheirKana_data();
  void KanaPairsShowTheirKana();
  void JisPairsBeyondKanaUseTheConverter();
  void InvalidPairsFallBackByteByByte();
  void Utf8TablesShowUtf8AndFallBackPerCell();
  void DetectionNeedsValidUtf8Everywhere();
  void TypedTextIsEncodedInTheTableEncoding();
  void KeysOfLatin1AndWindows1252BecomeTheirByte();
};

void DisplayTextTest::EverySingleByteShowsOneVisibleCharacter() {
  for (int byte = 0; byte < 256; ++byte) {
    for (auto encoding : {Encoding::kEucJp, Encoding::kUtf8}) {
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
  QCOMPARE(DisplayText("\x80", Encoding::kEucJp), QStringLiteral("\u20AC"));
  QCOMPARE(DisplayText(QByteArray(1, '\0'), Encoding::kEucJp), QStringLiteral("\u2400"));
}

void DisplayTextTest::KanaPairsShowTheirKana_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QString>("shown");
  QTest::newRow("first hiragana") << Bytes({0xA4, 0xA1}) << QStringLiteral("\u3041");
  QTest::newRow("a") << Bytes({0xA4, 0xA2}) << QStringLiteral("\u3042");
  QTest::newRow("ka") << Bytes({0xA4, 0xAB}) << QStringLiteral("\u304B");
  QTest::newRow("n, last hiragana") << Bytes({0xA4, 0xF3}) << QStringLiteral("\u3093");
  QTest::newRow("katakana a") << Bytes({0xA5, 0xA2}) << QStringLiteral("\u30A2");
  QTest::newRow("katakana po") << Bytes({0xA5, 0xDD}) << QStringLiteral("\u30DD");
  QTest::newRow("katakana ke, last") << Bytes({0xA5, 0xF6}) << QStringLiteral("\u30F6");
  QTest::newRow("kana after letters")
      << Bytes({'k', 0xA4, 0xAB, 'k', 'i'}) << QStringLiteral("k\u304Bki");
}

void DisplayTextTest::KanaPairsShowTheirKana() {
  QFETCH(QByteArray, bytes);
  QFETCH(QString, shown);
  QCOMPARE(DisplayText(bytes, Encoding::kEucJp), shown);
  QCOMPARE(DisplayText(bytes, Encoding::kUtf8), shown);  // not UTF-8: the EUC-JP rule
}

void DisplayTextTest::JisPairsBeyondKanaUseTheConverter() {
  QCOMPARE(DisplayText("\xB0\xA1", Encoding::kEucJp), QStringLiteral("\u4E9C"));  // a kanji
  QCOMPARE(DisplayText("\xA1\xA2", Encoding::kEucJp), QStringLiteral("\u3001"));
}

void DisplayTextTest::InvalidPairsFallBackByteByByte() {
  // A lone lead byte, and a pair outside JIS X 0208, show as two Windows-1252 characters.
  QCOMPARE(DisplayText("\xA4", Encoding::kEucJp), QStringLiteral("\u00A4"));
  QCOMPARE(DisplayText("\xA9\xA1", Encoding::kEucJp), QStringLiteral("\u00A9\u00A1"));
  QCOMPARE(DisplayText("A\xA4", Encoding::kEucJp), QStringLiteral("A\u00A4"));
  // An unreadable pair leaves no error behind: a kanji after it still shows.
  QCOMPARE(DisplayText("\xB0\xA1", Encoding::kEucJp), QStringLiteral("\u4E9C"));
}

void DisplayTextTest::Utf8TablesShowUtf8AndFallBackPerCell() {
  QCOMPARE(DisplayText("\xE3\x81\x82", Encoding::kUtf8), QStringLiteral("\u3042"));
  QCOMPARE(DisplayText("\xE3\x81\x82", Encoding::kEucJp).size(), 3);  // no EUC-JP pair
  QCOMPARE(DisplayText("a\tb", Encoding::kUtf8), QStringLiteral("a\u2409b"));
  // Overlong, surrogate and cut sequences are not UTF-8 and show by the format's own reading:
  // C0 AF is a JIS X 0208 pair there.
  QCOMPARE(DisplayText("\xC0\xAF", Encoding::kUtf8), QStringLiteral("\u653F"));
  QCOMPARE(DisplayText("\xED\xA0\x80", Encoding::kUtf8).size(), 3);
  QCOMPARE(DisplayText("\xE3\x81", Encoding::kUtf8).size(), 2);
}

void DisplayTextTest::DetectionNeedsValidUtf8Everywhere() {
  QCOMPARE(DetectEncoding(""), Encoding::kEucJp);  // nothing non-ASCII: the format's own
  QCOMPARE(DetectEncoding("41=A\r\n"), Encoding::kEucJp);
  QCOMPARE(DetectEncoding("10=\xE3\x81\x82\r\n"), Encoding::kUtf8);
  // Lines of valid UTF-8 must outnumber those that are not, wherever they are.
  QVERIFY(DetectEncoding("10=\xE3\x81\x82\r\n\xA4\xA2\r\n") != Encoding::kUtf8);
  QCOMPARE(DetectEncoding("10=\xE3\x81\x82\r\n\xA4\xA2\r\n11=\xE3\x81\x82"), Encoding::kUtf8);
  // A sequence cut by a line end is not UTF-8.
  QVERIFY(DetectEncoding("10=\xE3\x81\r\n\x82") != Encoding::kUtf8);
}

void DisplayTextTest::TypedTextIsEncodedInTheTableEncoding() {
  QCOMPARE(EncodeText(QStringLiteral("\u304B"), Encoding::kEucJp), QByteArray("\xA4\xAB"));
  QCOMPARE(EncodeText(QStringLiteral("\u4E9C"), Encoding::kEucJp), QByteArray("\xB0\xA1"));
  QCOMPARE(EncodeText(QStringLiteral("\u304B"), Encoding::kUtf8), QByteArray("\xE3\x81\x8B"));
  QVERIFY(!EncodeText(QStringLiteral("\U0001F600"), Encoding::kEucJp).has_value());
  // Letters outside JIS X 0208 take their Windows-1252 byte, as their key would type them,
  // never the three-byte JIS X 0212 form that this display would not read back.
  QCOMPARE(EncodeText(QStringLiteral("caf\u00E9 \u00FC"), Encoding::kEucJp),
           QByteArray("caf\xE9 \xFC"));
  QCOMPARE(EncodeText(QStringLiteral("\uFF71"), Encoding::kEucJp), QByteArray("\x8E\xB1"));
  // Text left as shown keeps its bytes, even where typing it would give others.
  QCOMPARE(EditedBytes(QStringLiteral("\u00A4"), "\xA4", Encoding::kEucJp), QByteArray("\xA4"));
  QCOMPARE(EditedBytes(QStringLiteral("\u304B"), "x", Encoding::kUtf8), QByteArray("\xE3\x81\x8B"));
  // The pictures of control bytes the text held go back to those bytes when it is edited.
  QCOMPARE(EditedBytes(QStringLiteral("a\u2409b\u2421c"), "a\tb\x7F", Encoding::kShiftJis),
           QByteArray("a\tb\x7F"
                      "c"));
  QCOMPARE(EditedBytes(QStringLiteral("\u2409x"), "y", Encoding::kUtf8),
           QByteArray("\xE2\x90\x89x"));
}

void DisplayTextTest::KeysOfLatin1AndWindows1252BecomeTheirByte() {
  QCOMPARE(KeyByte(QChar(u'a')), std::optional<quint8>(0x61));
  QCOMPARE(KeyByte(QChar(u'\u00E9')), std::optional<quint8>(0xE9));
  QCOMPARE(KeyByte(QChar(u'\u20AC')), std::optional<quint8>(0x80));
  QCOMPARE(KeyByte(QChar(u'\u3042')), std::nullopt);
}

}  // namespace orvane::text

QTEST_GUILESS_MAIN(orvane::text::DisplayTextTest)
#include "display_text_test.moc"
