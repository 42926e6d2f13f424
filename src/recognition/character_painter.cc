#include "recognition/character_painter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace orvane::recognition {

namespace {

constexpr qreal kBaselineShare = 0.88;

QFont FontOf(const QString& family, int pixels, Rendering rendering) {
  QFont font(family);
  font.setPixelSize(std::max(1, pixels));
  font.setStyleStrategy(rendering == Rendering::kSmooth ? QFont::PreferAntialias
                                                        : QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

}  // namespace

CharacterPainter::CharacterPainter(const QString& family, int width, int height,
                                   Rendering rendering)
    : font_(FontOf(family, height, rendering)),
      width_(width),
      height_(height),
      canvas_(width, height, QImage::Format_ARGB32_Premultiplied) {}

InkImage CharacterPainter::Draw(char16_t character) {
  const QString text(QChar{character});
  QFontMetricsF metrics(font_);
  QFont font = font_;
  const qreal advance = metrics.horizontalAdvance(text);
  if (advance > width_ + 0.5) {
    // Wider than the cell: drawn smaller so that it fits, as a half-width cell holds a kanji.
    font.setPixelSize(std::max(1, static_cast<int>(font_.pixelSize() * width_ / advance)));
    metrics = QFontMetricsF(font);
  }
  const qreal em = font.pixelSize();
  const qreal x = (width_ - metrics.horizontalAdvance(text)) / 2;
  const qreal baseline = (height_ - em) / 2 + em * kBaselineShare;
  canvas_.fill(Qt::transparent);
  {
    QPainter painter(&canvas_);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(x, baseline), text);
  }
  InkImage image{width_, height_, {}};
  image.ink.reserve(static_cast<size_t>(width_) * static_cast<size_t>(height_));
  for (int y = 0; y < height_; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(canvas_.constScanLine(y));
    for (int px = 0; px < width_; ++px) {
      image.ink.push_back(static_cast<float>(qAlpha(line[px])) / 255.0F);
    }
  }
  return image;
}

bool IsFontInstalled(const QString& family) {
  const QStringList families = QFontDatabase::families();
  return std::any_of(families.begin(), families.end(), [&](const QString& installed) {
    return installed.compare(family, Qt::CaseInsensitive) == 0;
  });
}

}  // namespace orvane::recognition
