#include "made_up_font.h"

#include "recognition/candidates.h"
#include "recognition/character_painter.h"

#include <QPainter>
#include <QPainterPath>

namespace orvane::testing {
namespace {

constexpr int kSide = 16;
constexpr qsizetype kRowBytes = 2;
constexpr int kHiraganaRow = 4;
constexpr int kFirstKanjiRow = 16;

char16_t Jis(int row, int cell) {
  return recognition::JisCells()[static_cast<size_t>((row - 1) * recognition::kJisCellsPerRow +
                                                     cell - 1)];
}

// The glyph's pixels, ink where the drawing is more than half covered.
std::vector<bool> Pixels(const recognition::InkImage& drawing) {
  std::vector<bool> ink;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) ink.push_back(drawing.At(x, y) > 0.5F);
  }
  return ink;
}

bool At(const std::vector<bool>& ink, int x, int y) {
  return ink[static_cast<size_t>(y) * kSide + static_cast<size_t>(x)];
}

QByteArray OneBitRows(const std::vector<bool>& ink) {
  QByteArray bytes(kRowBytes * kSide, '\0');
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const qsizetype at = kRowBytes * y + x / 8;
      if (At(ink, x, y)) bytes[at] = static_cast<char>(bytes[at] | (0x80 >> (x % 8)));
    }
  }
  return bytes;
}

// Four 8×8 tiles row by row, each row its two planes side by side; the ink is colour 3.
QByteArray TwoBitTiles(const std::vector<bool>& ink) {
  QByteArray bytes;
  for (int tile = 0; tile < 4; ++tile) {
    for (int y = 0; y < 8; ++y) {
      quint8 plane = 0;
      for (int x = 0; x < 8; ++x) {
        if (At(ink, (tile % 2) * 8 + x, (tile / 2) * 8 + y))
          plane |= static_cast<quint8>(0x80 >> x);
      }
      bytes.append(static_cast<char>(plane)).append(static_cast<char>(plane));
    }
  }
  return bytes;
}

std::vector<bool> Heart() {
  QImage image(kSide, kSide, QImage::Format_Grayscale8);
  image.fill(0);
  QPainter painter(&image);
  QPainterPath path;
  path.moveTo(8, 14);
  path.cubicTo(-2, 6, 3, -1, 8, 4);
  path.cubicTo(13, -1, 18, 6, 8, 14);
  painter.fillPath(path, Qt::white);
  painter.end();
  std::vector<bool> ink;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) ink.push_back(qGray(image.pixel(x, y)) > 127);
  }
  return ink;
}

QByteArray Line(quint32 code, char16_t character) {
  return QByteArray::number(code, 16).toUpper() + '=' + QString(QChar(character)).toUtf8() + "\r\n";
}

}  // namespace

MadeUpFont MakeFont(const QString& family) {
  MadeUpFont font;
  recognition::CharacterPainter painter(family, kSide, kSide, recognition::Rendering::kOneBit);
  font.data = QByteArray(MadeUpFont::kKanaAt, '\xEE');
  for (int i = 0; i < MadeUpFont::kKana; ++i) {
    const char16_t kana = Jis(kHiraganaRow, i + 1);
    font.data += TwoBitTiles(Pixels(painter.Draw(kana)));
    const quint32 code = 0x8000 + static_cast<quint32>(i);
    font.expected += Line(code, kana);
    if (code == 0x800A) continue;
    font.table += Line(code, code == 0x800C ? Jis(kHiraganaRow, i + 2) : kana);
  }
  font.data += QByteArray(64, '\0');
  for (int i = 0; i < MadeUpFont::kKanji; ++i) {
    const char16_t kanji = Jis(kFirstKanjiRow, i + 1);
    font.data += OneBitRows(Pixels(painter.Draw(kanji)));
    font.expected += Line(0x8100 + static_cast<quint32>(i), kanji);
  }
  font.data += OneBitRows(Heart());
  font.expected += Line(0x8100 + MadeUpFont::kKanji, u'\u2665');
  font.data += QByteArray(256, '\xEE');
  return font;
}

}  // namespace orvane::testing
