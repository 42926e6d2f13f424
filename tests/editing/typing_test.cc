// Typing romaji into a cell, key by key, in each input mode.
#include "editing/cell_editing.h"
#include "kana/romaji.h"
#include "model/table_document.h"
#include "support/temp_table.h"

#include <QSignalSpy>
#include <QTest>

using orvane::kana::InputMode;
using orvane::model::TableDocument;
using orvane::testing::Bytes;

Q_DECLARE_METATYPE(orvane::kana::InputMode)

namespace {

constexpr quint8 kCode = 0x42;

// The syllables with the trail byte that typing them must give; the second "ji" and "zu" of the
// impure row type as the first ones.
struct Syllable {
  const char* romaji;
  quint8 trail;
};
constexpr Syllable kSyllables[] = {
    {"a", 0xA2},  {"i", 0xA4},  {"u", 0xA6},  {"e", 0xA8},  {"o", 0xAA},   {"ka", 0xAB},
    {"ki", 0xAD}, {"ku", 0xAF}, {"ke", 0xB1}, {"ko", 0xB3}, {"sa", 0xB5},  {"shi", 0xB7},
    {"su", 0xB9}, {"se", 0xBB}, {"so", 0xBD}, {"ta", 0xBF}, {"chi", 0xC1}, {"tsu", 0xC4},
    {"te", 0xC6}, {"to", 0xC8}, {"na", 0xCA}, {"ni", 0xCB}, {"nu", 0xCC},  {"ne", 0xCD},
    {"no", 0xCE}, {"ha", 0xCF}, {"hi", 0xD2}, {"fu", 0xD5}, {"he", 0xD8},  {"ho", 0xDB},
    {"ma", 0xDE}, {"mi", 0xDF}, {"mu", 0xE0}, {"me", 0xE1}, {"mo", 0xE2},  {"ya", 0xE4},
    {"yu", 0xE6}, {"yo", 0xE8}, {"ra", 0xE9}, {"ri", 0xEA}, {"ru", 0xEB},  {"re", 0xEC},
    {"ro", 0xED}, {"wa", 0xEF}, {"wo", 0xF2}, {"n", 0xF3},  {"ga", 0xAC},  {"gi", 0xAE},
    {"gu", 0xB0}, {"ge", 0xB2}, {"go", 0xB4}, {"za", 0xB6}, {"ji", 0xB8},  {"zu", 0xBA},
    {"ze", 0xBC}, {"zo", 0xBE}, {"da", 0xC0}, {"ji", 0xB8}, {"zu", 0xBA},  {"de", 0xC7},
    {"do", 0xC9}, {"ba", 0xD0}, {"bi", 0xD3}, {"bu", 0xD6}, {"be", 0xD9},  {"bo", 0xDC},
    {"pa", 0xD1}, {"pi", 0xD4}, {"pu", 0xD7}, {"pe", 0xDA}, {"po", 0xDD}};

void Type(TableDocument& document, InputMode mode, const QByteArray& keys) {
  for (char key : keys) {
    orvane::editing::AppendTypedCharacter(document, kCode, mode, static_cast<quint8>(key));
  }
}

}  // namespace

class TypingTest : public QObject {
  Q_OBJECT

 private slots:
  void TypingEachSyllableGivesItsKana_data();
  void TypingEachSyllableGivesItsKana();
  void TypedKeysOutsideASyllableStayLetters_data();
  void TypedKeysOutsideASyllableStayLetters();
  void EveryTypedKeyChangesTheCell_data();
  void EveryTypedKeyChangesTheCell();
};

void TypingTest::TypingEachSyllableGivesItsKana_data() {
  QTest::addColumn<QByteArray>("keys");
  QTest::addColumn<InputMode>("mode");
  QTest::addColumn<QByteArray>("expected");
  for (const Syllable& syllable : kSyllables) {
    for (InputMode mode : {InputMode::kHiragana, InputMode::kKatakana}) {
      const int lead = mode == InputMode::kHiragana ? 0xA4 : 0xA5;
      QTest::addRow("%s %s", syllable.romaji, mode == InputMode::kHiragana ? "hira" : "kata")
          << QByteArray(syllable.romaji) << mode << Bytes({lead, syllable.trail});
    }
  }
}

void TypingTest::TypingEachSyllableGivesItsKana() {
  QFETCH(QByteArray, keys);
  QFETCH(InputMode, mode);
  QFETCH(QByteArray, expected);
  TableDocument document;
  Type(document, mode, keys);
  QCOMPARE(document.GetCellText(kCode), expected);
  // The lookup of the whole syllable gives the same kana as typing it.
  QCOMPARE(orvane::kana::KanaForRomaji(keys, mode), std::optional<QByteArray>(expected));
}

void TypingTest::TypedKeysOutsideASyllableStayLetters_data() {
  QTest::addColumn<QByteArray>("before");
  QTest::addColumn<InputMode>("mode");
  QTest::addColumn<QByteArray>("keys");
  QTest::addColumn<QByteArray>("expected");
  const QByteArray hira_n = Bytes({0xA4, 0xF3});
  const QByteArray kata_n = Bytes({0xA5, 0xF3});
  QTest::newRow("half syllable") << QByteArray() << InputMode::kHiragana << QByteArray("k")
                                 << QByteArray("k");
  QTest::newRow("upper case") << QByteArray() << InputMode::kHiragana << QByteArray("KA")
                              << QByteArray("KA");
  QTest::newRow("mixed case") << QByteArray() << InputMode::kKatakana << QByteArray("Ka")
                              << QByteArray("Ka");
  QTest::newRow("ascii mode") << QByteArray() << InputMode::kAscii << QByteArray("ka")
                              << QByteArray("ka");
  for (const char* keys : {"hu", "si", "ti", "di", "du", "kya"}) {
    QTest::addRow("not in tables %s", keys)
        << QByteArray() << InputMode::kHiragana << QByteArray(keys) << QByteArray(keys);
  }
  QTest::newRow("text before") << QByteArray("x") << InputMode::kHiragana << QByteArray("ka")
                               << QByteArray("xka");
  QTest::newRow("letters after kana") << Bytes({0xA4, 0xAB}) << InputMode::kHiragana
                                      << QByteArray("ki") << Bytes({0xA4, 0xAB, 'k', 'i'});
  QTest::newRow("ascii letter then kana key")
      << QByteArray("k") << InputMode::kKatakana << QByteArray("a") << Bytes({0xA5, 0xAB});
  QTest::newRow("n then consonant")
      << hira_n << InputMode::kHiragana << QByteArray("k") << hira_n + 'k';
  QTest::newRow("n then upper vowel")
      << hira_n << InputMode::kHiragana << QByteArray("A") << hira_n + 'A';
  QTest::newRow("n of other mode")
      << kata_n << InputMode::kHiragana << QByteArray("a") << kata_n + 'a';
  QTest::newRow("n in ascii mode")
      << hira_n << InputMode::kAscii << QByteArray("a") << hira_n + 'a';
  QTest::newRow("n after text") << QByteArray("x") + hira_n << InputMode::kHiragana
                                << QByteArray("a") << QByteArray("x") + hira_n + 'a';
  QTest::newRow("n then y") << hira_n << InputMode::kHiragana << QByteArray("ya") << hira_n + "ya";
  QTest::newRow("nn") << QByteArray() << InputMode::kKatakana << QByteArray("nn") << kata_n + 'n';
}

void TypingTest::TypedKeysOutsideASyllableStayLetters() {
  QFETCH(QByteArray, before);
  QFETCH(InputMode, mode);
  QFETCH(QByteArray, keys);
  QFETCH(QByteArray, expected);
  TableDocument document;
  document.SetCellText(kCode, before);
  Type(document, mode, keys);
  QCOMPARE(document.GetCellText(kCode), expected);
}

void TypingTest::EveryTypedKeyChangesTheCell_data() {
  QTest::addColumn<InputMode>("mode");
  QTest::addColumn<char>("key");
  QTest::newRow("ascii") << InputMode::kAscii << 'k';
  QTest::newRow("hiragana no conversion") << InputMode::kHiragana << 'k';
  QTest::newRow("hiragana conversion") << InputMode::kHiragana << 'a';
  QTest::newRow("katakana high byte") << InputMode::kKatakana << '\xE9';
}

void TypingTest::EveryTypedKeyChangesTheCell() {
  QFETCH(InputMode, mode);
  QFETCH(char, key);
  TableDocument document;
  QSignalSpy changed(&document, &TableDocument::cellChanged);
  orvane::editing::AppendTypedCharacter(document, kCode, mode, static_cast<quint8>(key));
  QVERIFY(!changed.isEmpty());
  QCOMPARE(changed.last().at(0).value<orvane::model::Code>(), kCode);
  // Only the cursor's cell is touched.
  for (int code = 0; code < orvane::model::kCodeCount; ++code) {
    if (code != kCode) QVERIFY(document.GetCellText(static_cast<quint8>(code)).isEmpty());
  }
}

QTEST_GUILESS_MAIN(TypingTest)
#include "typing_test.moc"
