#include "kana/romaji.h"

#include "support/temp_table.h"

#include <QTest>

using orvane::kana::InputMode;
using orvane::kana::KanaTable;
using orvane::testing::Bytes;

class KanaTest : public QObject {
  Q_OBJECT

 private slots:
  void TablesHoldTheirEdgeEntries();
  void LookupIsWholeTextAndKanaModesOnly();
};

void KanaTest::TablesHoldTheirEdgeEntries() {
  const auto pure = orvane::kana::TableEntries(KanaTable::kRomajiPure);
  const auto impure = orvane::kana::TableEntries(KanaTable::kRomajiImpure);
  const auto trail_pure = orvane::kana::TableEntries(KanaTable::kKanaTrailPure);
  const auto trail_impure = orvane::kana::TableEntries(KanaTable::kKanaTrailImpure);
  // A walk stops at the upper bounds 45 and 24.
  QCOMPARE(pure.size(), 46u);
  QCOMPARE(trail_pure.size(), 46u);
  QCOMPARE(impure.size(), 25u);
  QCOMPARE(trail_impure.size(), 25u);
  QCOMPARE(pure[0], QByteArray("a"));
  QCOMPARE(trail_pure[0], Bytes({0xA2}));
  QCOMPARE(pure[45], QByteArray("n"));
  QCOMPARE(trail_pure[45], Bytes({0xF3}));
  QCOMPARE(impure[6], QByteArray("ji"));
  QCOMPARE(trail_impure[6], Bytes({0xB8}));
  QCOMPARE(impure[11], QByteArray("ji"));
  QCOMPARE(trail_impure[11], Bytes({0xC2}));
  QCOMPARE(impure[12], QByteArray("zu"));
  QCOMPARE(trail_impure[12], Bytes({0xC5}));
  QCOMPARE(impure[24], QByteArray("po"));
  QCOMPARE(trail_impure[24], Bytes({0xDD}));
  QCOMPARE(orvane::kana::HiraganaLead, '\xA4');
  QCOMPARE(orvane::kana::KatakanaLead, '\xA5');
}

void KanaTest::LookupIsWholeTextAndKanaModesOnly() {
  QCOMPARE(orvane::kana::KanaForRomaji("ka", InputMode::kAscii), std::nullopt);
  QCOMPARE(orvane::kana::KanaForRomaji("kak", InputMode::kHiragana), std::nullopt);
  QCOMPARE(orvane::kana::KanaForRomaji("hi", InputMode::kHiragana),
           std::optional<QByteArray>(Bytes({0xA4, 0xD2})));
  QCOMPARE(orvane::kana::KanaForRomaji("", InputMode::kHiragana), std::nullopt);
  QCOMPARE(orvane::kana::KanaForRomaji("shi ", InputMode::kKatakana), std::nullopt);
  // After a lone n, a vowel completes na .. no; nothing else does.
  QCOMPARE(orvane::kana::RomajiAfterN('o'), std::optional<QByteArray>("no"));
  QCOMPARE(orvane::kana::RomajiAfterN('y'), std::nullopt);
  QCOMPARE(orvane::kana::RomajiAfterN('A'), std::nullopt);
}

QTEST_GUILESS_MAIN(KanaTest)
#include "romaji_test.moc"
