#include "glyphs/font_layout.h"
#include "glyphs/glyph_format.h"
#include "glyphs/glyph_pixels.h"

#include <QTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;
using glyphs::GlyphFormat;
using glyphs::Layout;
using glyphs::PixelFormat;

Q_DECLARE_METATYPE(glyphs::GlyphFormat)

namespace {

// The glyph's colour indices as rows of hexadecimal digits joined by '|'.
QString Picture(const glyphs::GlyphPixels& glyph) {
  QStringList rows;
  for (int y = 0; y < glyph.Height(); ++y) {
    QString row;
    for (int x = 0; x < glyph.Width(); ++x) row += QString::number(glyph.At(x, y), 16);
    rows << row;
  }
  return rows.join(u'|');
}

GlyphFormat Format(QStringView name, int width, int height, Layout layout) {
  return {*glyphs::PixelFormatFromName(name), layout, width, height, 0};
}

// Eight rows of a tile, each the same byte pair: `first` on even bytes, `second` on odd ones.
QByteArray Pairs(char first, char second, int rows = 8) {
  QByteArray bytes;
  for (int row = 0; row < rows; ++row) bytes.append(first).append(second);
  return bytes;
}

}  // namespace

class GlyphDecodingTest : public QObject {
  Q_OBJECT

 private slots:
  void ReadsEachFormatAsItsConsoleDoes_data();
  void ReadsEachFormatAsItsConsoleDoes();
  void RefusesWhatAFormatCannotHold_data();
  void RefusesWhatAFormatCannotHold();
  void KnowsTheFormatsByTheirNames();
  void NumbersGlyphsFromTheFirstCode_data();
  void NumbersGlyphsFromTheFirstCode();
  void RefusesAFontPastTheDataOrTheCodes_data();
  void RefusesAFontPastTheDataOrTheCodes();
};

void GlyphDecodingTest::ReadsEachFormatAsItsConsoleDoes_data() {
  QTest::addColumn<GlyphFormat>("format");
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QString>("picture");
  const QString stripes = u"33112200|"_s.repeated(8).chopped(1);
  QTest::newRow("1bpp rows of two bytes")
      << Format(u"1bpp", 12, 4, Layout::kGlyphRows) << QByteArray("\x80\x10\x40\x20\0\0\x01\x00", 8)
      << u"100000000001|010000000010|000000000000|000000010000"_s;
  QTest::newRow("1bpp packed across rows")
      << Format(u"1bpp-packed", 6, 4, Layout::kPacked) << QByteArray("\x84\x21\x08", 3)
      << u"100001|000010|000100|001000"_s;
  QTest::newRow("2bpp NES: plane 0, then plane 1")
      << Format(u"2bpp-nes", 8, 8, Layout::kTileRows)
      << QByteArray(8, '\xF0') + QByteArray(8, '\xCC') << stripes;
  QTest::newRow("2bpp Game Boy: planes side by side")
      << Format(u"2bpp-gb", 8, 8, Layout::kTileRows) << Pairs('\xF0', '\xCC') << stripes;
  QTest::newRow("4bpp SNES: planes 0/1, then 2/3")
      << Format(u"4bpp-snes", 8, 8, Layout::kTileRows)
      << Pairs('\xF0', '\xCC') + Pairs('\xAA', '\x01') << u"73516248|"_s.repeated(8).chopped(1);
  QTest::newRow("4bpp GBA: low nibble on the left")
      << Format(u"4bpp-gba", 8, 8, Layout::kTileRows)
      << QByteArray("\x21\x43\x65\x87", 4).repeated(8) << u"12345678|"_s.repeated(8).chopped(1);
  QTest::newRow("4bpp Mega Drive: high nibble on the left")
      << Format(u"4bpp-md", 8, 8, Layout::kTileRows)
      << QByteArray("\x21\x43\x65\x87", 4).repeated(8) << u"21436587|"_s.repeated(8).chopped(1);
  QTest::newRow("8bpp: a byte a pixel")
      << Format(u"8bpp", 8, 8, Layout::kTileRows)
      << QByteArray("\x00\x01\x02\x03\x04\x05\x06\x0F", 8) + QByteArray(56, '\x0A')
      << u"0123456f|"_s + u"aaaaaaaa|"_s.repeated(7).chopped(1);
  // Four 1bpp tiles, tile k a line down its column k.
  QByteArray tiles;
  for (const char line : {'\x80', '\x40', '\x20', '\x10'}) tiles += QByteArray(8, line);
  const QString by_rows = u"1000000001000000|"_s.repeated(8) + u"0010000000010000|"_s.repeated(8);
  const QString by_columns =
      u"1000000000100000|"_s.repeated(8) + u"0100000000010000|"_s.repeated(8);
  QTest::newRow("tiles row by row")
      << Format(u"1bpp", 16, 16, Layout::kTileRows) << tiles << by_rows.chopped(1);
  QTest::newRow("tiles column by column")
      << Format(u"1bpp", 16, 16, Layout::kTileColumns) << tiles << by_columns.chopped(1);
  QTest::newRow("bytes cut short read as background")
      << Format(u"2bpp-nes", 8, 8, Layout::kTileRows) << QByteArray(8, '\xF0')
      << u"11110000|"_s.repeated(8).chopped(1);
  QTest::newRow("no bytes at all") << Format(u"4bpp-snes", 8, 8, Layout::kTileColumns)
                                   << QByteArray() << u"00000000|"_s.repeated(8).chopped(1);
}

void GlyphDecodingTest::ReadsEachFormatAsItsConsoleDoes() {
  QFETCH(GlyphFormat, format);
  QFETCH(QByteArray, bytes);
  QFETCH(QString, picture);
  QCOMPARE(glyphs::CheckFormat(format), std::nullopt);
  const glyphs::GlyphPixels glyph = glyphs::DecodeGlyph(bytes, format);
  QCOMPARE(Picture(glyph), picture);
  QCOMPARE(glyph.HasInk(), picture.contains(QRegularExpression(u"[1-9a-f]"_s)));
}

void GlyphDecodingTest::RefusesWhatAFormatCannotHold_data() {
  QTest::addColumn<GlyphFormat>("format");
  QTest::addColumn<QString>("why");
  QTest::addColumn<int>("bytes");  // of a glyph, when the format is taken
  QTest::addColumn<int>("stride");
  const auto with_stride = [](GlyphFormat format, int stride) {
    format.stride = stride;
    return format;
  };
  QTest::newRow("12×12 1bpp rows: 2 bytes a row")
      << Format(u"1bpp", 12, 12, Layout::kGlyphRows) << QString() << 24 << 24;
  QTest::newRow("12×12 packed: 18 bytes")
      << Format(u"1bpp-packed", 12, 12, Layout::kPacked) << QString() << 18 << 18;
  QTest::newRow("16×16 4bpp: four tiles of 32")
      << Format(u"4bpp-snes", 16, 16, Layout::kTileColumns) << QString() << 128 << 128;
  QTest::newRow("a stride past the glyph")
      << with_stride(Format(u"2bpp-gb", 8, 16, Layout::kTileRows), 40) << QString() << 32 << 40;
  QTest::newRow("a tiled glyph of 12 pixels")
      << Format(u"2bpp-nes", 12, 16, Layout::kTileRows)
      << u"A glyph of 2bpp-nes tiles is a multiple of 8 pixels wide and high."_s << 0 << 0;
  QTest::newRow("3 pixels wide") << Format(u"1bpp", 3, 8, Layout::kGlyphRows)
                                 << u"A glyph is 4 to 32 pixels wide and high."_s << 0 << 0;
  QTest::newRow("40 pixels high") << Format(u"8bpp", 8, 40, Layout::kTileRows)
                                  << u"A glyph is 4 to 32 pixels wide and high."_s << 0 << 0;
  QTest::newRow("4bpp in glyph rows") << Format(u"4bpp-gba", 8, 8, Layout::kGlyphRows)
                                      << u"4bpp-gba is made of 8×8 tiles."_s << 0 << 0;
  QTest::newRow("packed in tiles")
      << Format(u"1bpp-packed", 8, 8, Layout::kTileRows)
      << u"1bpp-packed glyphs are bits one after another, not rows or tiles."_s << 0 << 0;
  QTest::newRow("1bpp packed by layout") << Format(u"1bpp", 12, 12, Layout::kPacked)
                                         << u"Packed 1bpp glyphs are 1bpp-packed."_s << 0 << 0;
  QTest::newRow("a stride inside the glyph")
      << with_stride(Format(u"1bpp", 16, 16, Layout::kGlyphRows), 16)
      << u"From one glyph to the next is at least the 32 bytes of a glyph."_s << 0 << 0;
}

void GlyphDecodingTest::RefusesWhatAFormatCannotHold() {
  QFETCH(GlyphFormat, format);
  QFETCH(QString, why);
  QFETCH(int, bytes);
  QFETCH(int, stride);
  QCOMPARE(glyphs::CheckFormat(format).value_or(QString()), why);
  if (!why.isEmpty()) return;
  QCOMPARE(glyphs::GlyphBytes(format), bytes);
  QCOMPARE(glyphs::GlyphStride(format), stride);
}

void GlyphDecodingTest::KnowsTheFormatsByTheirNames() {
  for (const PixelFormat pixels : glyphs::AllPixelFormats()) {
    QCOMPARE(glyphs::PixelFormatFromName(glyphs::PixelFormatName(pixels)), pixels);
  }
  QCOMPARE(glyphs::AllPixelFormats().size(), size_t{8});
  QCOMPARE(glyphs::PixelFormatFromName(u"2bpp-snes"), PixelFormat::k2bppGb);
  QCOMPARE(glyphs::PixelFormatFromName(u"4BPP-GBA"), PixelFormat::k4bppGba);
  QCOMPARE(glyphs::PixelFormatFromName(u"3bpp"), std::nullopt);
  QCOMPARE(glyphs::DefaultLayout(PixelFormat::k1bpp), Layout::kGlyphRows);
  QCOMPARE(glyphs::DefaultLayout(PixelFormat::k1bppPacked), Layout::kPacked);
  QCOMPARE(glyphs::DefaultLayout(PixelFormat::k4bppMd), Layout::kTileRows);
}

void GlyphDecodingTest::NumbersGlyphsFromTheFirstCode_data() {
  QTest::addColumn<QByteArray>("first");
  QTest::addColumn<qint64>("index");
  QTest::addColumn<QByteArray>("code");  // empty: none
  QTest::newRow("the first") << "8140"_ba << qint64{0} << "8140"_ba;
  QTest::newRow("within the page") << "8140"_ba << qint64{0xBE} << "81FE"_ba;
  QTest::newRow("the last byte carries") << "8140"_ba << qint64{0xC0} << "8200"_ba;
  QTest::newRow("one byte to its end") << "F0"_ba << qint64{15} << "FF"_ba;
  QTest::newRow("one byte past its end") << "F0"_ba << qint64{16} << QByteArray();
  QTest::newRow("four bytes carry") << "00FFFFFF"_ba << qint64{1} << "01000000"_ba;
  QTest::newRow("four bytes past their end") << "FFFFFFFF"_ba << qint64{1} << QByteArray();
}

void GlyphDecodingTest::NumbersGlyphsFromTheFirstCode() {
  QFETCH(QByteArray, first);
  QFETCH(qint64, index);
  QFETCH(QByteArray, code);
  const auto found = glyphs::GlyphCode(*model::Code::FromHex(first), index);
  QCOMPARE(found ? found->Hex() : QByteArray(), code);
}

void GlyphDecodingTest::RefusesAFontPastTheDataOrTheCodes_data() {
  QTest::addColumn<qint64>("offset");
  QTest::addColumn<qint64>("count");
  QTest::addColumn<QByteArray>("first");
  QTest::addColumn<QString>("why");
  // 16×16 1bpp glyphs of 32 bytes, in 1,000 bytes of data.
  QTest::newRow("the whole of it") << qint64{0x28} << qint64{30} << "8140"_ba << QString();
  QTest::newRow("an offset past the end")
      << qint64{1000} << qint64{1} << "8140"_ba
      << u"The offset 3e8 is past the end of the data (1000 bytes)."_s;
  QTest::newRow("a count past the end")
      << qint64{0x28} << qint64{31} << "8140"_ba
      << u"31 glyphs from offset 28 run past the end of the data (1000 bytes)."_s;
  QTest::newRow("codes past a byte")
      << qint64{0} << qint64{17} << "F0"_ba << u"17 glyphs from code F0 run past code FF."_s;
  QTest::newRow("no glyph") << qint64{0} << qint64{0} << "F0"_ba
                            << u"At least one glyph is read."_s;
}

void GlyphDecodingTest::RefusesAFontPastTheDataOrTheCodes() {
  QFETCH(qint64, offset);
  QFETCH(qint64, count);
  QFETCH(QByteArray, first);
  QFETCH(QString, why);
  const glyphs::FontLayout font{Format(u"1bpp", 16, 16, Layout::kGlyphRows), offset,
                                *model::Code::FromHex(first)};
  QCOMPARE(glyphs::CheckFont(font, 1000, count).value_or(QString()), why);
  if (why.isEmpty()) QCOMPARE(glyphs::GlyphOffset(font, 29), offset + qint64{29} * 32);
}

QTEST_GUILESS_MAIN(GlyphDecodingTest)
#include "glyph_decoding_test.moc"
