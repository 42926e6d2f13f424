#include "recognition/character_painter.h"
#include "recognition/fit_order.h"
#include "support/temp_table.h"
#include "tbl_tool.h"

#include <QProcess>
#include <QTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;
using orvane::testing::TempFolder;
using orvane::tools::RunTblTool;

namespace {

// Glyphs drawn with another design than the characters they are read against, as a game's are.
const QString kGameFont = u"IPAMincho"_s;
// Kana and kanji that no other candidate draws alike (unlike へ and ヘ, or 口 and ロ).
const QString kText = u"あいうえおさしすせそアイウオサシスセソ東京海森鳥島語漢字時間電話"_s;

std::vector<glyphs::GlyphPixels> Draw(const std::vector<char16_t>& characters, quint8 colour) {
  recognition::CharacterPainter painter(kGameFont, 16, 16, recognition::Rendering::kOneBit);
  std::vector<glyphs::GlyphPixels> drawn;
  for (const char16_t character : characters) {
    const recognition::InkImage image = painter.Draw(character);
    glyphs::GlyphPixels glyph(16, 16);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) glyph.Set(x, y, image.At(x, y) >= 0.5F ? colour : 0);
    }
    drawn.push_back(std::move(glyph));
  }
  return drawn;
}

// Each glyph's rows of two bytes, the leftmost pixel the high bit; or as 2bpp tiles row by row,
// each tile row's plane 0 and plane 1 side by side.
QByteArray Pack(const std::vector<glyphs::GlyphPixels>& font, bool tiles) {
  QByteArray bytes;
  const auto row_bits = [](const glyphs::GlyphPixels& glyph, int x0, int y, int plane) {
    char bits = 0;
    for (int x = 0; x < 8; ++x) {
      if ((glyph.At(x0 + x, y) >> plane & 1) != 0) bits = static_cast<char>(bits | 0x80 >> x);
    }
    return bits;
  };
  for (const glyphs::GlyphPixels& glyph : font) {
    for (int tile = 0; tile < (tiles ? 4 : 1); ++tile) {
      for (int y = 0; y < 16; ++y) {
        if (!tiles) {
          bytes.append(row_bits(glyph, 0, y, 0)).append(row_bits(glyph, 8, y, 0));
        } else if (y / 8 == tile / 2) {
          bytes.append(row_bits(glyph, tile % 2 * 8, y, 0))
              .append(row_bits(glyph, tile % 2 * 8, y, 1));
        }
      }
    }
  }
  return bytes;
}

std::vector<char16_t> Characters(const QString& text) {
  std::vector<char16_t> characters;
  for (const QChar c : text) characters.push_back(c.unicode());
  return characters;
}

// "CODE=character" for each, from `first` on, one code a glyph; the code `blank` has none.
QByteArray Table(quint32 first, const std::vector<char16_t>& characters, quint32 blank = 0) {
  QByteArray table;
  for (const char16_t c : characters) {
    if (first == blank) ++first;
    table += QByteArray::number(first++, 16).toUpper() + '=' + QString(QChar(c)).toUtf8() + '\n';
  }
  return table;
}

}  // namespace

class FontCommandTest : public QObject {
  Q_OBJECT

 private slots:
  void RefusesWhatItCannotRead_data();
  void RefusesWhatItCannotRead();
  void ReadsAMadeUpFontBack();
  void ReadsAFontInJisOrderWithoutADisplay();

 private:
  TempFolder folder_;
};

void FontCommandTest::RefusesWhatItCannotRead_data() {
  QTest::addColumn<QStringList>("options");
  QTest::addColumn<QByteArray>("err");  // the start of the message
  // DATA is 512 bytes: sixteen 1bpp glyphs of 16×16.
  const QStringList format = {u"--format"_s, u"1bpp"_s, u"--size"_s, u"16x16"_s};
  const QStringList place = {u"--from"_s, u"0"_s, u"--count"_s, u"4"_s};
  const QStringList code = {u"--code"_s, u"8800"_s};
  const auto row = [&](const char* name, const QStringList& options, const QByteArray& err) {
    QTest::newRow(name) << options << err;
  };
  row("tiles not a multiple of 8",
      QStringList{u"--format"_s, u"4bpp-snes"_s, u"--size"_s, u"12x12"_s} + place + code,
      "orvane-tbl: A glyph of 4bpp-snes tiles is a multiple of 8 pixels");
  row("too large a glyph",
      QStringList{u"--format"_s, u"1bpp"_s, u"--size"_s, u"40x16"_s} + place + code,
      "orvane-tbl: ");
  row("no such format",
      QStringList{u"--format"_s, u"3bpp"_s, u"--size"_s, u"16x16"_s} + place + code,
      "orvane-tbl: --format takes 1bpp, 1bpp-packed");
  row("a size without its height",
      QStringList{u"--format"_s, u"1bpp"_s, u"--size"_s, u"16"_s} + place + code,
      "orvane-tbl: --size takes a width and a height");
  row("a stride shorter than a glyph", format + place + code + QStringList{u"--stride"_s, u"16"_s},
      "orvane-tbl: ");
  row("packed glyphs in tiles",
      QStringList{u"--format"_s, u"1bpp-packed"_s, u"--size"_s, u"16x16"_s, u"--tiles"_s,
                  u"rows"_s} +
          place + code,
      "orvane-tbl: ");
  row("an offset past the end",
      format + QStringList{u"--from"_s, u"0x200"_s, u"--count"_s, u"1"_s} + code,
      "DATA: The offset 200 is past the end of the data (512 bytes).");
  row("a count past the end",
      format + QStringList{u"--from"_s, u"20h"_s, u"--count"_s, u"16"_s} + code,
      "DATA: 16 glyphs from offset 20 run past the end of the data (512 bytes).");
  row("no glyph", format + QStringList{u"--from"_s, u"0"_s, u"--count"_s, u"0"_s} + code,
      "orvane-tbl: --count takes a number of glyphs, not '0'");
  row("codes past the first code's width", format + place + QStringList{u"--code"_s, u"FFFE"_s},
      "DATA: 4 glyphs from code FFFE run past code FFFF.");
  row("an odd code", format + place + QStringList{u"--code"_s, u"880"_s},
      "orvane-tbl: --code takes a code of 1 to 4 bytes");
  row("no code", format + place, "orvane-tbl: font needs --code");
  row("an unknown font", format + place + code + QStringList{u"--font"_s, u"No Such Face"_s},
      "orvane-tbl: font: no installed font is named 'No Such Face'");
  row("too many best", format + place + code + QStringList{u"--top"_s, u"21"_s},
      "orvane-tbl: --top takes a number from 1 to 20, not '21'");
  row("an order not known", format + place + code + QStringList{u"--order"_s, u"sjis"_s},
      "orvane-tbl: --order takes jis, not 'sjis'");
}

void FontCommandTest::RefusesWhatItCannotRead() {
  QFETCH(QStringList, options);
  QFETCH(QByteArray, err);
  const QString data = folder_.Write(u"DATA"_s, QByteArray(512, '\x5A'));
  const auto result = RunTblTool(QStringList{u"font"_s, data} + options);
  QCOMPARE(result.exit_code, tools::kExitUsage);
  QCOMPARE(result.out, QByteArray());
  const QByteArray shown = QByteArray(result.err).replace(folder_.Path(u"DATA"_s).toUtf8(), "DATA");
  QVERIFY2(shown.startsWith(err), shown.constData());
}

void FontCommandTest::ReadsAMadeUpFontBack() {
  const std::vector<char16_t> characters = Characters(kText);
  // A glyph without ink among them, which prints nothing; a header before the font.
  std::vector<glyphs::GlyphPixels> font = Draw(characters, 1);
  font.insert(font.begin() + 5, glyphs::GlyphPixels(16, 16));
  const QString data = folder_.Write(u"font.bin"_s, QByteArray(0x30, '\x11') + Pack(font, false));
  // From 87FB across the lead byte, 8800 the blank glyph.
  const auto result = RunTblTool(
      {u"font"_s, data, u"--format"_s, u"1bpp"_s, u"--size"_s, u"16x16"_s, u"--from"_s, u"0x30"_s,
       u"--count"_s, QString::number(font.size()), u"--code"_s, u"87FB"_s, u"--top"_s, u"3"_s});
  QCOMPARE(result.exit_code, tools::kExitOk);
  QByteArray table;
  const QList<QByteArray> lines = result.out.split('\n');
  for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
    table += lines[i] + '\n';
    // The three best, the glyph's character first.
    const QByteArray& best = lines[i + 1];
    QVERIFY2(best.startsWith("; " + lines[i].sliced(5) + ' ') && best.count(' ') == 6,
             best.constData());
  }
  QCOMPARE(QString::fromUtf8(table), QString::fromUtf8(Table(0x87FB, characters, 0x8800)));
}

void FontCommandTest::ReadsAFontInJisOrderWithoutADisplay() {
  // A font kept in JIS order from the first kanji, in 2bpp tiles: with the order fitted, every
  // glyph is named as its place gives it, also those recognition alone misreads.
  std::vector<char16_t> characters = recognition::OrderCharacters(recognition::FontOrder::kJis, {});
  const auto first_kanji = std::find(characters.begin(), characters.end(), u'亜');
  characters = std::vector<char16_t>(first_kanji, first_kanji + 188);
  const QString data = folder_.Write(u"jis.bin"_s, Pack(Draw(characters, 2), true));
  QProcess tool;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(u"DISPLAY"_s);
  environment.remove(u"WAYLAND_DISPLAY"_s);
  environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
  tool.setProcessEnvironment(environment);
  tool.start(QStringLiteral(ORVANE_TBL_PROGRAM),
             {u"font"_s, data, u"--format"_s, u"2bpp-gb"_s, u"--size"_s, u"16x16"_s, u"--from"_s,
              u"0"_s, u"--count"_s, u"188"_s, u"--code"_s, u"889F"_s, u"--order"_s, u"jis"_s});
  QVERIFY(tool.waitForFinished(300000));
  const QByteArray err = tool.readAllStandardError();
  QVERIFY2(err.startsWith("orvane-tbl: font: the JIS order agrees with "), err.constData());
  QCOMPARE(tool.exitCode(), tools::kExitOk);
  QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()),
           QString::fromUtf8(Table(0x889F, characters)));
}

QTEST_MAIN(FontCommandTest)
#include "font_command_test.moc"
