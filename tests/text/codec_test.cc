// The bytes each encoding gives the kana, and what each encoding's bytes read as.
#include "text/codec.h"

#include "kana/kana_tables.h"
#include "kana/romaji.h"
#include "support/temp_table.h"
#include "text/display_text.h"
#include "text/typed_text.h"

#include <QTest>

Q_DECLARE_METATYPE(orvane::text::Encoding)

namespace orvane::text {

using testing::Bytes;

namespace {

// The kana of the romaji tables in their order, as the user must see them.
const QString kPureHiragana = QStringLiteral(
    "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん");
const QString kImpureHiragana =
    QStringLiteral("がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ");
const QString kPureKatakana = QStringLiteral(
    "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン");
const QString kImpureKatakana =
    QStringLiteral("ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ");

}  // namespace

class CodecTest : public QObject {
  Q_OBJECT

 private slots:
  void KanaHaveTheirBytes_data();
  void KanaHaveTheirBytes();
  void EverySyllableReadsAsItsKana_data();
  void EverySyllableReadsAsItsKana();
  void ConvertingThereAndBackGivesTheSameBytes();
  void BytesShowInTheirEncoding_data();
  void BytesShowInTheirEncoding();
  void EveryCodeOfCodePage932IsRead_data();
  void EveryCodeOfCodePage932IsRead();
  void JisFormsAreWrittenAsTheirCounterparts_data();
  void JisFormsAreWrittenAsTheirCounterparts();
  void BackspaceTakesAWholeCharacterWhereABytePairIsOne_data();
  void BackspaceTakesAWholeCharacterWhereABytePairIsOne();
  void WhatAnEncodingCannotHoldIsNotEncoded();
};

void CodecTest::KanaHaveTheirBytes_data() {
  QTest::addColumn<QString>("kana");
  QTest::addColumn<Encoding>("encoding");
  QTest::addColumn<QByteArray>("bytes");
  const struct {
    const char16_t* kana;
    QByteArray euc_jp, shift_jis, utf8;
  } rows[] = {
      {u"か", Bytes({0xA4, 0xAB}), Bytes({0x82, 0xA9}), Bytes({0xE3, 0x81, 0x8B})},
      {u"カ", Bytes({0xA5, 0xAB}), Bytes({0x83, 0x4A}), Bytes({0xE3, 0x82, 0xAB})},
      {u"あ", Bytes({0xA4, 0xA2}), Bytes({0x82, 0xA0}), Bytes({0xE3, 0x81, 0x82})},
      {u"ん", Bytes({0xA4, 0xF3}), Bytes({0x82, 0xF1}), Bytes({0xE3, 0x82, 0x93})},
      {u"ポ", Bytes({0xA5, 0xDD}), Bytes({0x83, 0x7C}), Bytes({0xE3, 0x83, 0x9D})},
      {u"ぢ", Bytes({0xA4, 0xC2}), Bytes({0x82, 0xC0}), Bytes({0xE3, 0x81, 0xA2})},
      {u"ヲ", Bytes({0xA5, 0xF2}), Bytes({0x83, 0x92}), Bytes({0xE3, 0x83, 0xB2})},
      {u"ｱ", Bytes({0x8E, 0xB1}), Bytes({0xB1}), Bytes({0xEF, 0xBD, 0xB1})},
  };
  for (const auto& row : rows) {
    const QString kana = QString::fromUtf16(row.kana);
    QTest::addRow("%s EUC-JP", qPrintable(kana)) << kana << Encoding::kEucJp << row.euc_jp;
    QTest::addRow("%s Shift-JIS", qPrintable(kana)) << kana << Encoding::kShiftJis << row.shift_jis;
    QTest::addRow("%s UTF-8", qPrintable(kana)) << kana << Encoding::kUtf8 << row.utf8;
  }
}

void CodecTest::KanaHaveTheirBytes() {
  QFETCH(QString, kana);
  QFETCH(Encoding, encoding);
  QFETCH(QByteArray, bytes);
  QCOMPARE(EncodeText(kana, encoding), std::optional<QByteArray>(bytes));
  QCOMPARE(Decode(bytes, encoding), std::optional<QString>(kana));
  QCOMPARE(DisplayText(bytes, encoding), kana);
  QCOMPARE(EncodeText(kana, Encoding::kWindows1252), std::nullopt);  // no kana there
}

void CodecTest::EverySyllableReadsAsItsKana_data() {
  QTest::addColumn<Encoding>("encoding");
  QTest::newRow("EUC-JP") << Encoding::kEucJp;
  QTest::newRow("Shift-JIS") << Encoding::kShiftJis;
  QTest::newRow("UTF-8") << Encoding::kUtf8;
}

// The kana a syllable gives, written in each encoding, read back as the kana the tables name.
void CodecTest::EverySyllableReadsAsItsKana() {
  QFETCH(Encoding, encoding);
  const struct {
    kana::InputMode mode;
    kana::KanaTable table;
    QString kana;
  } runs[] = {{kana::InputMode::kHiragana, kana::KanaTable::kRomajiPure, kPureHiragana},
              {kana::InputMode::kHiragana, kana::KanaTable::kRomajiImpure, kImpureHiragana},
              {kana::InputMode::kKatakana, kana::KanaTable::kRomajiPure, kPureKatakana},
              {kana::InputMode::kKatakana, kana::KanaTable::kRomajiImpure, kImpureKatakana}};
  for (const auto& run : runs) {
    const std::vector<QByteArray> romaji = kana::TableEntries(run.table);
    QCOMPARE(qsizetype(romaji.size()), run.kana.size());
    for (size_t i = 0; i < romaji.size(); ++i) {
      // The second "ji" and "zu" look up the first ones, as typing them does.
      const auto first = static_cast<qsizetype>(std::find(romaji.begin(), romaji.end(), romaji[i]) -
                                                romaji.begin());
      const auto euc_jp = kana::KanaForRomaji(romaji[i], run.mode);
      QVERIFY(euc_jp);
      const auto bytes = Convert(*euc_jp, Encoding::kEucJp, encoding);
      QVERIFY2(bytes, romaji[i].constData());
      QCOMPARE(Decode(*bytes, encoding), std::optional<QString>(run.kana.at(first)));
    }
  }
}

// Where the characters exist in both encodings, a conversion there and back gives the bytes.
void CodecTest::ConvertingThereAndBackGivesTheSameBytes() {
  const QStringList samples = {QStringLiteral("A1 b=c"),
                               QStringLiteral("かカん"),
                               QStringLiteral("漢字"),
                               QStringLiteral("ｱｲｳ"),
                               QStringLiteral("\u00E9 \u00C4 \u00DF"),
                               QStringLiteral("\u2460")};
  for (const Encoding from : kEncodings) {
    for (const Encoding to : kEncodings) {
      for (const QString& sample : samples) {
        const auto there = EncodeText(sample, from);
        const auto then = EncodeText(sample, to);
        if (!there || !then) continue;
        const auto converted = Convert(*there, from, to);
        QVERIFY2(converted == then, qPrintable(EncodingName(from) + u" to "_qs + EncodingName(to) +
                                               u": "_qs + sample));
        QCOMPARE(Convert(*converted, to, from), there);
      }
    }
  }
}

void CodecTest::BytesShowInTheirEncoding_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<Encoding>("encoding");
  QTest::addColumn<QString>("shown");
  QTest::newRow("Shift-JIS half-width") << Bytes({0xB1}) << Encoding::kShiftJis << u"ｱ"_qs;
  QTest::newRow("Shift-JIS NEC row") << Bytes({0x87, 0x40}) << Encoding::kShiftJis << u"①"_qs;
  QTest::newRow("Shift-JIS backslash") << QByteArray("\\") << Encoding::kShiftJis << u"\\"_qs;
  // Bytes that are not valid in the encoding keep the format's own reading.
  QTest::newRow("Shift-JIS cut pair") << Bytes({0x82}) << Encoding::kShiftJis << u"\u201A"_qs;
  QTest::newRow("Shift-JIS holding EUC-JP")
      << Bytes({0xA4, 0xAB}) << Encoding::kShiftJis << u"､ｫ"_qs;
  QTest::newRow("Windows-1252 letters")
      << Bytes({0xC4, 0xE9, 0x80}) << Encoding::kWindows1252 << u"Äé€"_qs;
  QTest::newRow("Windows-1252 takes no pairs")
      << Bytes({0xA4, 0xAB}) << Encoding::kWindows1252 << u"¤«"_qs;
  QTest::newRow("control bytes as pictures")
      << QByteArray("a\tb") << Encoding::kShiftJis << u"a\u2409b"_qs;
  QTest::newRow("Shift-JIS controls are their own bytes")
      << Bytes({0x1A, 0x1C, 0x7F}) << Encoding::kShiftJis << u"\u241A\u241C\u2421"_qs;
  QTest::newRow("UTF-8 mark in a cell kept")
      << Bytes({0xEF, 0xBB, 0xBF, 'x'}) << Encoding::kUtf8 << u"\uFEFFx"_qs;
  // The format's reading, not a converter's: other bytes are Windows-1252, no JIS X 0212.
  QTest::newRow("EUC-JP single bytes are Windows-1252")
      << Bytes({'A', 0xA4, 0xAB, 0xE9, 0x80}) << Encoding::kEucJp << u"Aかé€"_qs;
  QTest::newRow("EUC-JP has no JIS X 0212")
      << Bytes({0x8F, 0xB0, 0xA1}) << Encoding::kEucJp << u"\uFFFD亜"_qs;
  QTest::newRow("EUC-JP half-width katakana")
      << Bytes({0x8E, 0xB1, 0x8E, 0xDF}) << Encoding::kEucJp << u"ｱﾟ"_qs;
  QTest::newRow("Windows-1252 unassigned byte")
      << Bytes({0xA4, 0xAB, 0x81}) << Encoding::kWindows1252 << u"¤«\uFFFD"_qs;
}

void CodecTest::BytesShowInTheirEncoding() {
  QFETCH(QByteArray, bytes);
  QFETCH(Encoding, encoding);
  QFETCH(QString, shown);
  QCOMPARE(DisplayText(bytes, encoding), shown);
}

void CodecTest::EveryCodeOfCodePage932IsRead_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QString>("character");
  QTest::addColumn<QByteArray>("written");  // the code that code page 932 writes for it
  QTest::newRow("87 90") << Bytes({0x87, 0x90}) << u"≒"_qs << Bytes({0x81, 0xE0});
  QTest::newRow("ED 40") << Bytes({0xED, 0x40}) << u"纊"_qs << Bytes({0xFA, 0x5C});
  QTest::newRow("EE EF") << Bytes({0xEE, 0xEF}) << u"ⅰ"_qs << Bytes({0xFA, 0x40});
  QTest::newRow("FA 4A") << Bytes({0xFA, 0x4A}) << u"Ⅰ"_qs << Bytes({0x87, 0x54});
  QTest::newRow("FA 54") << Bytes({0xFA, 0x54}) << u"￢"_qs << Bytes({0x81, 0xCA});
  QTest::newRow("FA 5C") << Bytes({0xFA, 0x5C}) << u"纊"_qs << Bytes({0xFA, 0x5C});
}

// Duplicate codes are read and converted; only a text typed anew takes the written code.
void CodecTest::EveryCodeOfCodePage932IsRead() {
  QFETCH(QByteArray, bytes);
  QFETCH(QString, character);
  QFETCH(QByteArray, written);
  QCOMPARE(Decode(bytes, Encoding::kShiftJis), std::optional<QString>(character));
  QCOMPARE(DisplayText(bytes, Encoding::kShiftJis), character);
  QCOMPARE(Convert(bytes, Encoding::kShiftJis, Encoding::kUtf8),
           std::optional<QByteArray>(character.toUtf8()));
  QCOMPARE(EditedBytes(character, bytes, Encoding::kShiftJis), std::optional<QByteArray>(bytes));
  QCOMPARE(EncodeText(character, Encoding::kShiftJis), std::optional<QByteArray>(written));
}

void CodecTest::JisFormsAreWrittenAsTheirCounterparts_data() {
  QTest::addColumn<QString>("character");
  QTest::addColumn<Encoding>("encoding");
  QTest::addColumn<QByteArray>("bytes");
  QTest::newRow("〜 EUC-JP") << u"〜"_qs << Encoding::kEucJp << Bytes({0xA1, 0xC1});
  QTest::newRow("〜 Shift-JIS") << u"〜"_qs << Encoding::kShiftJis << Bytes({0x81, 0x60});
  QTest::newRow("− EUC-JP") << u"−"_qs << Encoding::kEucJp << Bytes({0xA1, 0xDD});
  QTest::newRow("− Shift-JIS") << u"−"_qs << Encoding::kShiftJis << Bytes({0x81, 0x7C});
  QTest::newRow("‖ EUC-JP") << u"‖"_qs << Encoding::kEucJp << Bytes({0xA1, 0xC2});
  QTest::newRow("‖ Shift-JIS") << u"‖"_qs << Encoding::kShiftJis << Bytes({0x81, 0x61});
  QTest::newRow("¢ Shift-JIS") << u"¢"_qs << Encoding::kShiftJis << Bytes({0x81, 0x91});
  QTest::newRow("£ Shift-JIS") << u"£"_qs << Encoding::kShiftJis << Bytes({0x81, 0x92});
  QTest::newRow("¬ Shift-JIS") << u"¬"_qs << Encoding::kShiftJis << Bytes({0x81, 0xCA});
  // EUC-JP reads these bytes so: they stay themselves.
  QTest::newRow("¢ EUC-JP") << u"¢"_qs << Encoding::kEucJp << Bytes({0xA2});
  QTest::newRow("£ EUC-JP") << u"£"_qs << Encoding::kEucJp << Bytes({0xA3});
  QTest::newRow("¬ EUC-JP") << u"¬"_qs << Encoding::kEucJp << Bytes({0xAC});
}

// Typed, pasted and converted alike.
void CodecTest::JisFormsAreWrittenAsTheirCounterparts() {
  QFETCH(QString, character);
  QFETCH(Encoding, encoding);
  QFETCH(QByteArray, bytes);
  const std::optional<QByteArray> expected(bytes);
  QCOMPARE(KeyBytes(character.front(), encoding), expected);
  QCOMPARE(EncodeWhatFits(character, encoding).bytes, bytes);
  QCOMPARE(Convert(character.toUtf8(), Encoding::kUtf8, encoding), expected);
  QCOMPARE(EncodeText(character, Encoding::kUtf8), std::optional<QByteArray>(character.toUtf8()));
}

void CodecTest::BackspaceTakesAWholeCharacterWhereABytePairIsOne_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<Encoding>("encoding");
  QTest::addColumn<qsizetype>("size");
  QTest::newRow("EUC-JP: a byte") << Bytes({'a', 0xA4, 0xAB}) << Encoding::kEucJp << qsizetype{1};
  QTest::newRow("Windows-1252") << Bytes({'a', 0xE9}) << Encoding::kWindows1252 << qsizetype{1};
  QTest::newRow("UTF-8 kana") << Bytes({'a', 0xE3, 0x81, 0x8B}) << Encoding::kUtf8 << qsizetype{3};
  QTest::newRow("UTF-8 emoji") << Bytes({0xF0, 0x9F, 0x98, 0x80}) << Encoding::kUtf8
                               << qsizetype{4};
  QTest::newRow("Shift-JIS pair") << Bytes({'a', 0x82, 0xA9}) << Encoding::kShiftJis
                                  << qsizetype{2};
  // 0x5C after a lead byte is its trail, not a backslash of its own.
  QTest::newRow("Shift-JIS trail like ASCII")
      << Bytes({0x95, 0x5C}) << Encoding::kShiftJis << qsizetype{2};
  QTest::newRow("Shift-JIS half-width")
      << Bytes({0x82, 0xA9, 0xB1}) << Encoding::kShiftJis << qsizetype{1};
  // A lead byte the cell ends on has no trail: it goes alone, and the pair before it stays.
  QTest::newRow("Shift-JIS lone lead byte")
      << Bytes({0x82, 0xA9, 0x82}) << Encoding::kShiftJis << qsizetype{1};
  QTest::newRow("empty") << QByteArray() << Encoding::kUtf8 << qsizetype{0};
}

void CodecTest::BackspaceTakesAWholeCharacterWhereABytePairIsOne() {
  QFETCH(QByteArray, bytes);
  QFETCH(Encoding, encoding);
  QFETCH(qsizetype, size);
  QCOMPARE(LastCharacterSize(bytes, encoding), size);
}

void CodecTest::WhatAnEncodingCannotHoldIsNotEncoded() {
  QCOMPARE(EncodeText(u"\u00E9", Encoding::kShiftJis), std::nullopt);
  QCOMPARE(EncodeText(u"\U0001F600", Encoding::kShiftJis), std::nullopt);
  QCOMPARE(EncodeText(u"\u00E9", Encoding::kEucJp), std::optional<QByteArray>("\xE9"));
  QCOMPARE(EncodeText(u"\u00E9", Encoding::kWindows1252), std::optional<QByteArray>("\xE9"));
  const EncodedText mixed = EncodeWhatFits(u"a\u00E9b", Encoding::kShiftJis);
  QCOMPARE(mixed.bytes, QByteArray("ab"));
  QVERIFY(mixed.dropped);
  QCOMPARE(DecodeLenient(Bytes({'a', 0x81, 'b'}), Encoding::kWindows1252), u"a\uFFFDb"_qs);
  QCOMPARE(Convert(Bytes({0x82}), Encoding::kShiftJis, Encoding::kUtf8), std::nullopt);
  QCOMPARE(Convert(Bytes({0x1A, 0x1C, 0x7F}), Encoding::kShiftJis, Encoding::kUtf8),
           std::optional<QByteArray>(Bytes({0x1A, 0x1C, 0x7F})));
}

}  // namespace orvane::text

QTEST_GUILESS_MAIN(orvane::text::CodecTest)
#include "codec_test.moc"
