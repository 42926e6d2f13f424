#include "recognition/recogniser.h"

#include "recognition/candidates.h"
#include "recognition/character_model.h"
#include "recognition/character_painter.h"

#include <QTest>

#include <algorithm>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;
using recognition::CandidateSet;
using recognition::CharacterModel;

Q_DECLARE_METATYPE(text::Encoding)

namespace {

const QString kGameFont = u"IPAMincho"_s;
const QString kCandidateFont = u"IPAGothic"_s;
constexpr int kSide = 16;

// Kana, kanji (some told apart by a stroke: 日 曰, 未 末, 薄 簿) and letters.
const QString kGameText =
    u"あいうかきさしぱばアイカキサシパ日曰未末薄簿東京語漢字海森鳥島ABGKRxyz"_s;

// The glyphs' characters among distractors: all kana, the first 200 kanji and the letters.
CandidateSet TestCandidates() {
  CandidateSet set;
  const auto& cells = recognition::JisCells();
  const auto row = [&](int jis_row, int count) {
    const auto first = cells.begin() + std::ptrdiff_t{jis_row - 1} * recognition::kJisCellsPerRow;
    std::copy_if(first, first + count, std::back_inserter(set.characters),
                 [](char16_t c) { return c != 0; });
  };
  row(4, 94);
  row(5, 94);
  row(16, 94);
  row(17, 94);
  for (char16_t c = u'A'; c <= u'z'; ++c) set.characters.push_back(c);
  for (const QChar c : kGameText) {
    if (std::find(set.characters.begin(), set.characters.end(), c.unicode()) ==
        set.characters.end()) {
      set.characters.push_back(c.unicode());
    }
  }
  return set;
}

glyphs::GlyphPixels GameGlyph(recognition::CharacterPainter& painter, char16_t character) {
  const recognition::InkImage image = painter.Draw(character);
  glyphs::GlyphPixels glyph(image.width, image.height);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) glyph.Set(x, y, image.At(x, y) >= 0.5F ? 3 : 0);
  }
  return glyph;
}

}  // namespace

class RecogniserTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void ReadsAnotherTypefacesGlyphs();
  void ReportsAGlyphWithoutInk();
  void StopsWhenAskedAndReportsProgress();
  void OffersWhatTheEncodingCanWrite_data();
  void OffersWhatTheEncodingCanWrite();

 private:
  std::optional<CharacterModel> model_;
};

void RecogniserTest::initTestCase() {
  for (const QString& family : {kGameFont, kCandidateFont}) {
    QVERIFY2(recognition::IsFontInstalled(family), qPrintable(family + u" (scripts/setup.sh)"_s));
  }
  model_ = CharacterModel::Build(kCandidateFont, kSide, kSide, TestCandidates());
  QVERIFY(model_);
}

void RecogniserTest::ReadsAnotherTypefacesGlyphs() {
  recognition::CharacterPainter painter(kGameFont, kSide, kSide, recognition::Rendering::kOneBit);
  std::vector<glyphs::GlyphPixels> glyphs;
  for (const QChar c : kGameText) glyphs.push_back(GameGlyph(painter, c.unicode()));
  const auto results = recognition::RecogniseAll(*model_, glyphs, 5);
  QVERIFY(results);
  QStringList wrong;
  for (qsizetype i = 0; i < kGameText.size(); ++i) {
    const recognition::Recognition& read = (*results)[static_cast<size_t>(i)];
    QVERIFY(read.has_ink);
    QCOMPARE(read.best.size(), size_t{5});
    QVERIFY(std::is_sorted(read.best.begin(), read.best.end(),
                           [](const auto& a, const auto& b) { return a.score > b.score; }));
    QVERIFY(read.best.front().score <= 1 && read.best.back().score >= 0);
    const auto named = [&](const recognition::Match& m) { return m.character == kGameText[i]; };
    QVERIFY2(std::any_of(read.best.begin(), read.best.end(), named), qPrintable(kGameText[i]));
    if (!named(read.best.front())) wrong << kGameText[i] + u"→"_s + QChar(read.best[0].character);
  }
  QVERIFY2(wrong.size() <= 1, qPrintable(wrong.join(u' ')));
}

void RecogniserTest::ReportsAGlyphWithoutInk() {
  const recognition::Recognition read = recognition::Recognise(*model_, {kSide, kSide}, 5);
  QVERIFY(!read.has_ink);
  QVERIFY(read.best.empty());
}

void RecogniserTest::StopsWhenAskedAndReportsProgress() {
  std::stop_source stop;
  stop.request_stop();
  QVERIFY(!CharacterModel::Build(kCandidateFont, kSide, kSide, TestCandidates(), stop.get_token()));
  const std::vector<glyphs::GlyphPixels> glyphs(100, glyphs::GlyphPixels(kSide, kSide));
  QVERIFY(!recognition::RecogniseAll(*model_, glyphs, 5, stop.get_token()));
  QList<qint64> done;
  const auto results = recognition::RecogniseAll(
      *model_, glyphs, 5, {}, [&](qint64 now, qint64 total) { done << now << total; });
  QVERIFY(results);
  QCOMPARE(results->size(), size_t{100});
  QCOMPARE(done.mid(done.size() - 2), (QList<qint64>{100, 100}));
}

void RecogniserTest::OffersWhatTheEncodingCanWrite_data() {
  QTest::addColumn<text::Encoding>("encoding");
  QTest::addColumn<bool>("limited");
  QTest::addColumn<QString>("held");
  QTest::addColumn<QString>("missing");
  QTest::newRow("EUC-JP") << text::Encoding::kEucJp << false << u"Aあア漢鬱ΩЖ＠※"_s << u"é"_s;
  QTest::newRow("Shift-JIS") << text::Encoding::kShiftJis << false << u"Aあ漢ΩЖ"_s << u"é"_s;
  QTest::newRow("UTF-8") << text::Encoding::kUtf8 << false << u"Aあ漢"_s << QString();
  QTest::newRow("Windows-1252") << text::Encoding::kWindows1252 << true << u"Aé×€"_s
                                << u"あア漢Ω"_s;
}

void RecogniserTest::OffersWhatTheEncodingCanWrite() {
  QFETCH(text::Encoding, encoding);
  QFETCH(bool, limited);
  QFETCH(QString, held);
  QFETCH(QString, missing);
  const CandidateSet set = recognition::CandidatesFor(encoding);
  QCOMPARE(set.limited, limited);
  const auto holds = [&](QChar c) {
    return std::find(set.characters.begin(), set.characters.end(), c.unicode()) !=
           set.characters.end();
  };
  for (const QChar c : held) QVERIFY2(holds(c), qPrintable(c));
  for (const QChar c : missing) QVERIFY2(!holds(c), qPrintable(c));
  std::vector<char16_t> sorted = set.characters;
  std::sort(sorted.begin(), sorted.end());
  QVERIFY(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end());
  if (!limited) QVERIFY(set.characters.size() >= 6879 + 94);
}

QTEST_MAIN(RecogniserTest)
#include "recogniser_test.moc"
