#include "recognition/fit_order.h"

#include "text/codec.h"

#include <QTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;
using recognition::FontOrder;
using recognition::KnownGlyph;

Q_DECLARE_METATYPE(recognition::FontOrder)

namespace {

// The character the codec reads from a pair of bytes, or 0 where it reads none.
char16_t Read(int lead, int trail, text::Encoding encoding) {
  const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  const std::optional<QString> text = text::Decode(QByteArrayView(pair, 2), encoding);
  return text && text->size() == 1 ? text->front().unicode() : char16_t{0};
}

// A font as a game keeps it, glyph after glyph, read through the codecs: JIS cells from a row
// (every cell, or only those that hold a character), or Shift-JIS codes from a lead byte.
std::vector<char16_t> Font(FontOrder order, int first_row, int count) {
  std::vector<char16_t> font;
  for (int row = first_row; static_cast<int>(font.size()) < count; ++row) {
    if (order == FontOrder::kShiftJis) {
      const int lead = 0x81 + (row - 1) / 2;
      for (int trail = 0x40; trail <= 0xFC; ++trail) {
        font.push_back(Read(lead, trail, text::Encoding::kShiftJis));
      }
      ++row;
      continue;
    }
    // Rows 9 to 15 hold no JIS X 0208 character; the codec reads NEC's symbols in row 13.
    const bool in_jis = row < 9 || row > 15;
    for (int cell = 1; cell <= 94; ++cell) {
      const char16_t c = in_jis ? Read(0xA0 + row, 0xA0 + cell, text::Encoding::kEucJp) : 0;
      if (c != 0 || order != FontOrder::kJis) font.push_back(c);
    }
  }
  font.resize(static_cast<size_t>(count));
  return font;
}

std::vector<KnownGlyph> Known(const std::vector<char16_t>& font, std::initializer_list<int> at) {
  std::vector<KnownGlyph> known;
  for (const int i : at) known.push_back({i, font[static_cast<size_t>(i)]});
  return known;
}

}  // namespace

class FitOrderTest : public QObject {
  Q_OBJECT

 private slots:
  void ReadsAWholeFontFromFiveKnownGlyphs_data();
  void ReadsAWholeFontFromFiveKnownGlyphs();
  void ListsWhereTheOrderAndTheGlyphsDisagree();
  void FitsNothingWithoutAJisCharacter();
};

void FitOrderTest::ReadsAWholeFontFromFiveKnownGlyphs_data() {
  // Where two orders agree over the whole font (the first kanji rows have no gaps), either fits.
  QTest::addColumn<FontOrder>("order");
  QTest::addColumn<int>("row");  // the font's first
  QTest::newRow("JIS from its first kanji") << FontOrder::kJisCells << 16;
  QTest::newRow("JIS from the symbols") << FontOrder::kJisCells << 1;
  QTest::newRow("JIS without gaps from hiragana") << FontOrder::kJis << 4;
  QTest::newRow("JIS without gaps from the kanji") << FontOrder::kJis << 16;
  QTest::newRow("Shift-JIS from 88") << FontOrder::kShiftJis << 15;
}

void FitOrderTest::ReadsAWholeFontFromFiveKnownGlyphs() {
  QFETCH(FontOrder, order);
  QFETCH(int, row);
  constexpr int kGlyphs = 1200;
  const std::vector<char16_t> font = Font(order, row, kGlyphs);
  // The known glyphs the user typed: five far apart among those that are not blank.
  std::vector<int> inked;
  for (int i = 0; i < kGlyphs; ++i) {
    if (font[static_cast<size_t>(i)] != 0) inked.push_back(i);
  }
  std::vector<KnownGlyph> known;
  for (size_t k = 0; k < 5; ++k) {
    const int at = inked[k * inked.size() / 5 + 7];
    known.push_back({at, font[static_cast<size_t>(at)]});
  }
  const auto fit = recognition::FitOrder(known, kGlyphs);
  QVERIFY(fit);
  QCOMPARE(fit->agreeing, 5);
  QVERIFY(fit->disagreeing.empty());
  QCOMPARE(fit->characters.size(), font.size());
  for (size_t i = 0; i < font.size(); ++i) {
    QVERIFY2(fit->characters[i] == font[i], qPrintable(QString::number(i)));
  }
}

void FitOrderTest::ListsWhereTheOrderAndTheGlyphsDisagree() {
  const std::vector<char16_t> font = Font(FontOrder::kJisCells, 16, 300);
  // Five right, one typed a place off.
  std::vector<KnownGlyph> known = Known(font, {5, 60, 120, 180, 240});
  known.push_back({100, font[101]});
  // Every glyph read right, but glyph 42 read as its neighbour.
  std::vector<recognition::Recognition> read;
  read.reserve(font.size());
  for (const char16_t c : font) read.push_back({true, {{c, 0.9F}}});
  read[42].best.front().character = font[43];
  read[7] = {};  // a glyph without ink is no conflict
  const auto fit = recognition::FitOrder(known, 300, read);
  QVERIFY(fit);
  QCOMPARE(fit->agreeing, 5);
  QCOMPARE(fit->known, 6);
  QCOMPARE(fit->disagreeing, std::vector<qint64>{100});
  QCOMPARE(fit->conflicts.size(), size_t{1});
  QCOMPARE(fit->conflicts.front().index, 42);
  QCOMPARE(fit->conflicts.front().fitted, font[42]);
  QCOMPARE(fit->conflicts.front().best.character, font[43]);

  // Glyphs recognised surely are known glyphs too: the fit needs no typing.
  const auto sure = recognition::SurelyRecognised(read, 0.85F);
  QCOMPARE(sure.size(), size_t{299});
  const auto from_reading = recognition::FitOrder(sure, 300, read);
  QVERIFY(from_reading);
  QCOMPARE(from_reading->characters, fit->characters);
}

void FitOrderTest::FitsNothingWithoutAJisCharacter() {
  const std::vector<KnownGlyph> known = {{0, u'A'}, {1, u'b'}};
  QCOMPARE(recognition::FitOrder(known, 10).has_value(), false);
  QCOMPARE(recognition::FitOrder({}, 10).has_value(), false);
}

QTEST_GUILESS_MAIN(FitOrderTest)
#include "fit_order_test.moc"
