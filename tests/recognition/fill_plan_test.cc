#include "recognition/fill_plan.h"

#include <QTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;
using recognition::LeftBecause;
using recognition::Recognition;

Q_DECLARE_METATYPE(text::Encoding)

namespace {

model::Code CodeOf(const char* hex) { return *model::Code::FromHex(hex); }

Recognition Read(QStringView best, float score) {
  if (best.isEmpty()) return {};
  return {true, {{best.front().unicode(), score}, {u'?', score / 2}}};
}

}  // namespace

class FillPlanTest : public QObject {
  Q_OBJECT

 private slots:
  void WritesOnlyCodesWithoutTextAndSaysWhyItLeftTheRest_data();
  void WritesOnlyCodesWithoutTextAndSaysWhyItLeftTheRest();
};

void FillPlanTest::WritesOnlyCodesWithoutTextAndSaysWhyItLeftTheRest_data() {
  QTest::addColumn<text::Encoding>("encoding");
  QTest::addColumn<QByteArray>("text");  // the table's, in its encoding
  QTest::addColumn<QString>("best");     // empty: a glyph without ink
  QTest::addColumn<float>("score");
  // "write XX", "left no ink", "left below", "left encoding", "mismatch" or "kept".
  QTest::addColumn<QString>("outcome");
  const auto euc = text::Encoding::kEucJp;
  QTest::newRow("empty code, sure") << euc << QByteArray() << u"字"_s << 0.9F << u"write BBFA"_s;
  QTest::newRow("at the threshold") << euc << QByteArray() << u"あ"_s << 0.8F << u"write A4A2"_s;
  QTest::newRow("below the threshold")
      << euc << QByteArray() << u"あ"_s << 0.79F << u"left below"_s;
  QTest::newRow("no ink") << euc << QByteArray() << QString() << 0.0F << u"left no ink"_s;
  QTest::newRow("the same text kept") << euc << "\xA4\xA2"_ba << u"あ"_s << 0.95F << u"kept"_s;
  QTest::newRow("another text listed") << euc << "\xA4\xA4"_ba << u"あ"_s << 0.95F << u"mismatch"_s;
  QTest::newRow("a longer text listed")
      << euc << "\xA4\xA2\xA4\xA2"_ba << u"あ"_s << 0.95F << u"mismatch"_s;
  QTest::newRow("a text over a blank glyph kept")
      << euc << "[end]"_ba << QString() << 0.0F << u"kept"_s;
  QTest::newRow("Shift-JIS bytes")
      << text::Encoding::kShiftJis << QByteArray() << u"字"_s << 0.9F << u"write 8E9A"_s;
  QTest::newRow("a letter in Windows-1252")
      << text::Encoding::kWindows1252 << QByteArray() << u"é"_s << 0.9F << u"write E9"_s;
  QTest::newRow("a kanji Windows-1252 cannot write")
      << text::Encoding::kWindows1252 << QByteArray() << u"字"_s << 0.9F << u"left encoding"_s;
}

void FillPlanTest::WritesOnlyCodesWithoutTextAndSaysWhyItLeftTheRest() {
  QFETCH(text::Encoding, encoding);
  QFETCH(QByteArray, text);
  QFETCH(QString, best);
  QFETCH(float, score);
  QFETCH(QString, outcome);
  // The glyph in the middle of three; its neighbours' codes hold texts the fill must not touch.
  const std::vector<model::Code> codes = {CodeOf("8140"), CodeOf("8141"), CodeOf("8142")};
  const std::vector<Recognition> read = {Read(u"A", 0.99F), Read(best, score), Read(u"B", 0.99F)};
  const auto text_of = [&](const model::Code& code) {
    return code == codes[1] ? text : QByteArray("A");
  };
  const recognition::FillPlan plan = recognition::PlanFill(codes, read, text_of, encoding, 0.8F);
  QString found = u"kept"_s;
  for (const auto& write : plan.writes) {
    QCOMPARE(write.code, codes[1]);
    QCOMPARE(write.best.character, best.front().unicode());
    found = u"write "_s + QString::fromLatin1(write.text.toHex().toUpper());
  }
  for (const auto& left : plan.left) {
    QCOMPARE(left.code, codes[1]);
    found = left.because == LeftBecause::kNoInk            ? u"left no ink"_s
            : left.because == LeftBecause::kBelowThreshold ? u"left below"_s
                                                           : u"left encoding"_s;
  }
  // B over the third code's A is always listed.
  QVERIFY(!plan.mismatches.empty() && plan.mismatches.back().code == codes[2]);
  QCOMPARE(plan.mismatches.back().text, "A"_ba);
  if (plan.mismatches.size() == 2) {
    QCOMPARE(plan.mismatches.front().code, codes[1]);
    QCOMPARE(plan.mismatches.front().text, text);
    found = u"mismatch"_s;
  }
  QCOMPARE(plan.writes.size() + plan.left.size() + plan.mismatches.size() - 1 <= 1, true);
  QCOMPARE(found, outcome);
}

QTEST_GUILESS_MAIN(FillPlanTest)
#include "fill_plan_test.moc"
