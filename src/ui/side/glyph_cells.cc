#include "ui/side/glyph_cells.h"

#include <QPainter>

#include <algorithm>

namespace orvane::ui::side {
namespace {

constexpr int kPadding = 3;
constexpr int kColours = 256;

QVector<QRgb> Colours(int bits, bool greys, const QPalette& palette) {
  QVector<QRgb> colours(kColours, palette.color(QPalette::Text).rgb());
  colours[0] = palette.color(QPalette::Base).rgb();
  if (!greys) return colours;
  // The highest colour black, 0 white, the rest evenly between.
  const int highest = (1 << std::min(bits, 8)) - 1;
  for (int colour = 0; colour < kColours; ++colour) {
    const int level = 255 - 255 * std::min(colour, highest) / highest;
    colours[colour] = qRgb(level, level, level);
  }
  return colours;
}

}  // namespace

GlyphRenderer::GlyphRenderer(int width, int height, int bits, int zoom, bool greys, int code_digits,
                             const QFontMetrics& metrics, const QPalette& palette)
    : width_(width),
      height_(height),
      zoom_(std::clamp(zoom, kMinZoom, kMaxZoom)),
      line_(metrics.height()),
      colours_(Colours(bits, greys, palette)),
      palette_(palette) {
  // Wide enough for the code, and for a kanji below it.
  const int label = std::max(metrics.horizontalAdvance(QString(code_digits, u'0')),
                             metrics.horizontalAdvance(QChar(u'\u6F22')));
  cell_width_ = std::max(width_ * zoom_, label) + 2 * kPadding;
  cell_height_ = line_ + height_ * zoom_ + line_ + 2 * kPadding;
}

QRect GlyphRenderer::PixelsRect() const {
  return {(cell_width_ - width_ * zoom_) / 2, kPadding + line_, width_ * zoom_, height_ * zoom_};
}

QImage GlyphRenderer::ImageOf(const glyphs::GlyphPixels& pixels) const {
  QImage image(pixels.Width(), pixels.Height(), QImage::Format_Indexed8);
  image.setColorTable(colours_);
  for (int y = 0; y < pixels.Height(); ++y) {
    uchar* line = image.scanLine(y);
    for (int x = 0; x < pixels.Width(); ++x) line[x] = pixels.At(x, y);
  }
  return image;
}

void GlyphRenderer::Paint(QPainter& painter, int left, int top, const GlyphCell& cell) const {
  const QRect whole(left, top, cell_width_, cell_height_);
  if (cell.current) painter.fillRect(whole, palette_.highlight());
  const QRect pixels = PixelsRect().translated(left, top);
  // Drawn without smoothing, an enlarged image keeps its pixels square and sharp.
  if (cell.pixels.Width() > 0) painter.drawImage(pixels, ImageOf(cell.pixels));
  painter.setPen(
      palette_.color(cell.current ? QPalette::HighlightedText : QPalette::PlaceholderText));
  painter.drawText(QRect(left, top + kPadding, cell_width_, line_), Qt::AlignCenter, cell.code);
  painter.setPen(palette_.color(cell.current ? QPalette::HighlightedText : QPalette::Text));
  painter.drawText(QRect(left, pixels.bottom() + 1, cell_width_, line_), Qt::AlignCenter,
                   cell.text);
}

}  // namespace orvane::ui::side
