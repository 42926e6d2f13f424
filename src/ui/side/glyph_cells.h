#pragma once

#include "glyphs/glyph_pixels.h"

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>
#include <QString>
#include <QVector>

class QPainter;

namespace orvane::ui::side {

inline constexpr int kMinZoom = 1;
inline constexpr int kMaxZoom = 8;

// What one glyph's cell shows: its pixels, its code above them and the table's text for the code
// below them (both empty where the glyph has no code), and whether the main window's cursor is on
// it.
struct GlyphCell {
  glyphs::GlyphPixels pixels;
  QString code;
  QString text;
  bool current = false;
};

// Draws the cells of the Font tab, one more renderer of the Game Data window: each glyph's
// pixels enlarged by the zoom and kept sharp, colour 0 as the background and any other colour
// as ink, or every colour as a grey of its own. Knows nothing of a widget, so that a screen of
// glyphs can be drawn and timed anywhere.
class GlyphRenderer {
 public:
  GlyphRenderer() = default;
  // Glyphs of `width` × `height` with `bits` bits a pixel, codes of `code_digits` hexadecimal
  // digits, the labels in `metrics`' font.
  GlyphRenderer(int width, int height, int bits, int zoom, bool greys, int code_digits,
                const QFontMetrics& metrics, const QPalette& palette);

  [[nodiscard]] int CellWidth() const { return cell_width_; }
  [[nodiscard]] int CellHeight() const { return cell_height_; }
  // The glyph's pixels within a cell whose top left is (0, 0).
  [[nodiscard]] QRect PixelsRect() const;
  // A cell whose top left is at `left`, `top`.
  void Paint(QPainter& painter, int left, int top, const GlyphCell& cell) const;

 private:
  [[nodiscard]] QImage ImageOf(const glyphs::GlyphPixels& pixels) const;

  int width_ = 0;
  int height_ = 0;
  int zoom_ = 1;
  int line_ = 0;  // a label's height
  int cell_width_ = 0;
  int cell_height_ = 0;
  QVector<QRgb> colours_;
  QPalette palette_;
};

}  // namespace orvane::ui::side
