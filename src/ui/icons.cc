#include "ui/icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>

#include <map>

namespace orvane::ui {
namespace {

class DrawnIconEngine : public QIconEngine {
 public:
  explicit DrawnIconEngine(ToolIcon icon) : icon_(icon) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override;
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override;
  QIconEngine* clone() const override { return new DrawnIconEngine(icon_); }

 private:
  ToolIcon icon_;
};

void DrawLetter(QPainter& painter, const QRectF& box, const QString& text, const QColor& colour,
                const QString& family = QStringLiteral("DejaVu Sans")) {
  QFont font(family);
  font.setBold(true);
  font.setPixelSize(qMax(1, qRound(box.height() * 0.9)));
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(box, Qt::AlignCenter, text);
}

void DrawSpecial(QPainter& painter, const QRectF& box, bool crossed) {
  const QRectF left(box.left(), box.top(), box.width() * 0.3, box.height());
  const QRectF right(box.left() + box.width() * 0.3, box.top(), box.width() * 0.7, box.height());
  DrawLetter(painter, left, QStringLiteral("/"), Qt::black);
  QFont font(QStringLiteral("DejaVu Sans Condensed"));
  font.setPixelSize(qMax(1, qRound(box.height() * 0.55)));
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(right, Qt::AlignCenter, QStringLiteral("0F"));
  if (!crossed) return;
  painter.setPen(QPen(QColor(220, 0, 0), qMax(1.0, box.height() / 8)));
  painter.drawLine(box.topLeft() + QPointF(1, 1), box.bottomRight() - QPointF(1, 1));
}

void DrawnIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) {
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setRenderHint(QPainter::TextAntialiasing);
  if (mode == QIcon::Disabled) painter->setOpacity(0.4);
  const QRectF box(rect);
  const QString gothic = QStringLiteral("IPAGothic");
  switch (icon_) {
    case ToolIcon::kSetSpecial:
      DrawSpecial(*painter, box, false);
      break;
    case ToolIcon::kUnsetSpecial:
      DrawSpecial(*painter, box, true);
      break;
    case ToolIcon::kUpperCase:
      DrawLetter(*painter, box, QStringLiteral("A"), QColor(0, 0, 200));
      break;
    case ToolIcon::kLowerCase:
      DrawLetter(*painter, box, QStringLiteral("a"), QColor(200, 0, 0));
      break;
    case ToolIcon::kNumber:
      DrawLetter(*painter, box, QStringLiteral("1"), Qt::black);
      break;
    case ToolIcon::kRomaji:
      DrawLetter(*painter, box, QStringLiteral("R"), QColor(0, 0, 200));
      break;
    case ToolIcon::kKatakana:
      DrawLetter(*painter, box, QStringLiteral("\u30A2"), QColor(0, 140, 0), gothic);
      break;
    case ToolIcon::kHiragana:
      DrawLetter(*painter, box, QStringLiteral("\u3042"), QColor(200, 0, 0), gothic);
      break;
  }
  painter->restore();
}

QPixmap DrawnIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                                      qreal scale) {
  const QString key = QStringLiteral("orvane-icon-%1-%2x%3-%4-%5")
                          .arg(static_cast<int>(icon_))
                          .arg(size.width())
                          .arg(size.height())
                          .arg(static_cast<int>(mode))
                          .arg(scale);
  QPixmap pixmap;
  if (QPixmapCache::find(key, &pixmap)) return pixmap;
  pixmap = QPixmap(size * scale);
  pixmap.setDevicePixelRatio(scale);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  paint(&painter, QRect(QPoint(0, 0), size), mode, state);
  painter.end();
  QPixmapCache::insert(key, pixmap);
  return pixmap;
}

QIcon LoadFileCommandIcon(FileIcon icon) {
  QStyle* style = QApplication::style();
  switch (icon) {
    case FileIcon::kNew:
      return QIcon::fromTheme(QStringLiteral("document-new"),
                              style->standardIcon(QStyle::SP_FileIcon));
    case FileIcon::kOpen:
      return QIcon::fromTheme(QStringLiteral("document-open"),
                              style->standardIcon(QStyle::SP_DirOpenIcon));
    case FileIcon::kSave:
      return QIcon::fromTheme(QStringLiteral("document-save"),
                              style->standardIcon(QStyle::SP_DialogSaveButton));
  }
  return {};
}

}  // namespace

QIcon DrawnIcon(ToolIcon icon) { return QIcon(new DrawnIconEngine(icon)); }

QIcon FileCommandIcon(FileIcon icon) {
  // Theme and style icons are decoded from image files: once per run is enough. The cache
  // empties before the application goes, as icons must not outlive it.
  static std::map<FileIcon, QIcon> loaded;
  if (loaded.empty()) qAddPostRoutine([] { loaded.clear(); });
  QIcon& cached = loaded[icon];
  if (cached.isNull()) cached = LoadFileCommandIcon(icon);
  return cached;
}

}  // namespace orvane::ui
