#include "ui/side/hex_view.h"

#include "data/block_reader.h"
#include "data/document_lookup.h"
#include "data/string_reader.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace orvane::ui::side {
namespace {

constexpr int kOffsetDigits = 8;
constexpr int kMargin = 4;
const QColor kMarkColour(0xFF, 0xFF, 0x00);  // the grid's yellow for marked cells

QString OffsetText(qint64 offset) {
  return QStringLiteral("%1").arg(offset, kOffsetDigits, 16, QChar(u'0')).toUpper();
}

}  // namespace

HexView::HexView(data::BlockReader& reader, const data::DocumentLookup& lookup, QWidget* parent)
    : QAbstractScrollArea(parent), reader_(reader), lookup_(lookup) {
  setObjectName(QStringLiteral("hexData"));
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  viewport()->setCursor(Qt::IBeamCursor);
  connect(&lookup_, &data::DocumentLookup::changed, viewport(), qOverload<>(&QWidget::update));
}

HexView::Metrics HexView::Measure() const {
  const QFontMetrics metrics(font());
  Metrics m{};
  m.row_height = metrics.height();
  m.digit_width = metrics.horizontalAdvance(QLatin1Char('0'));
  m.cell_width = std::max(m.digit_width, metrics.horizontalAdvance(QChar(u'\u6F22')));
  m.hex_left = kMargin + (kOffsetDigits + 2) * m.digit_width;
  m.text_left = m.hex_left + (kRowBytes * 3 + 2) * m.digit_width;
  return m;
}

int HexView::VisibleRowCount() const {
  return std::max(1, viewport()->height() / Measure().row_height);
}

qint64 HexView::VisibleBytes() const { return qint64{VisibleRowCount()} * kRowBytes; }

qint64 HexView::TopOffset() const { return qint64{verticalScrollBar()->value()} * kRowBytes; }

void HexView::UpdateScrollRange() {
  const qint64 rows = (reader_.Size() + kRowBytes - 1) / kRowBytes;
  const qint64 last_top = std::clamp<qint64>(rows - VisibleRowCount(), 0, INT_MAX);
  verticalScrollBar()->setRange(0, static_cast<int>(last_top));
  verticalScrollBar()->setPageStep(VisibleRowCount());
  const Metrics m = Measure();
  const int width = m.text_left + kRowBytes * m.cell_width + kMargin;
  horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
}

void HexView::FileChanged() {
  reader_.Forget();
  UpdateScrollRange();
  const qint64 size = reader_.Size();
  if (start_ >= size) start_ = std::max<qint64>(0, size - 1);
  GoTo(start_);
}

void HexView::GoTo(qint64 offset) {
  scrolling_to_start_ = true;
  verticalScrollBar()->setValue(static_cast<int>(std::min<qint64>(offset / kRowBytes, INT_MAX)));
  scrolling_to_start_ = false;
  SetStart(offset);
}

void HexView::SetStart(qint64 start) {
  const bool moved = start != start_;
  start_ = start;
  viewport()->update();
  if (moved) emit startChanged(start_);
}

void HexView::scrollContentsBy(int /*dx*/, int /*dy*/) {
  if (!scrolling_to_start_) SetStart(TopOffset());
  viewport()->update();
}

void HexView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
}

QList<HexView::Row> HexView::VisibleRows() const {
  const qint64 top = TopOffset();
  const QByteArray bytes = reader_.Bytes(top, VisibleBytes()).toByteArray();
  // The reading runs from the starting byte to the last byte in view and the code it begins.
  const qint64 from = std::max(start_, top);
  const qint64 end = top + bytes.size();
  const QByteArray read = reader_.Bytes(from, end + model::kMaxCodeLength - 1 - from).toByteArray();
  const QStringList cells = data::ByteCells(
      data::ReadStrings(lookup_.Lookup(), read, from, data::LineBreaks::kMarker, true), top,
      bytes.size());
  QList<Row> rows;
  for (qsizetype at = 0; at < bytes.size(); at += kRowBytes) {
    rows.append(Row{top + at, bytes.mid(at, kRowBytes), cells.mid(at, kRowBytes)});
  }
  return rows;
}

void HexView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().base());
  painter.translate(-horizontalScrollBar()->value(), 0);
  const Metrics m = Measure();
  int y = 0;
  for (const Row& row : VisibleRows()) {
    PaintRow(painter, m, row, y);
    y += m.row_height;
  }
}

void HexView::PaintRow(QPainter& painter, const Metrics& m, const Row& row, int y) const {
  const QFontMetrics metrics(font());
  const int baseline = y + metrics.ascent();
  painter.setPen(palette().color(QPalette::PlaceholderText));
  painter.drawText(kMargin, baseline, OffsetText(row.offset));
  for (qsizetype i = 0; i < row.bytes.size(); ++i) {
    const qint64 offset = row.offset + i;
    const int hex_x =
        m.hex_left + static_cast<int>(i * 3 + (i >= kRowBytes / 2 ? 1 : 0)) * m.digit_width;
    const int text_x = m.text_left + static_cast<int>(i) * m.cell_width;
    const QString& cell = row.cells[i];
    if (offset == start_) {
      painter.fillRect(hex_x, y, 2 * m.digit_width, m.row_height, palette().highlight());
      painter.fillRect(text_x, y, m.cell_width, m.row_height, palette().highlight());
    } else if (cell == u'/' || cell == u'*') {
      painter.fillRect(text_x, y, m.cell_width, m.row_height, kMarkColour);
    }
    painter.setPen(palette().color(offset == start_ ? QPalette::HighlightedText : QPalette::Text));
    const auto byte = static_cast<quint8>(row.bytes[i]);
    painter.drawText(hex_x, baseline, QStringLiteral("%1").arg(byte, 2, 16, QChar(u'0')).toUpper());
    if (cell == u'.' || cell == u'·') painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(QRect(text_x, y, m.cell_width, m.row_height), Qt::AlignCenter, cell);
  }
}

void HexView::mousePressEvent(QMouseEvent* event) {
  const Metrics m = Measure();
  const int x = static_cast<int>(event->position().x()) + horizontalScrollBar()->value();
  const int row = static_cast<int>(event->position().y()) / m.row_height;
  int column = -1;
  if (x >= m.text_left) {
    column = (x - m.text_left) / m.cell_width;
  } else if (x >= m.hex_left) {
    const int digits = (x - m.hex_left) / m.digit_width;
    column = (digits - (digits > kRowBytes / 2 * 3 ? 1 : 0)) / 3;
  }
  if (column < 0 || column >= kRowBytes) return;
  const qint64 offset = TopOffset() + qint64{row} * kRowBytes + column;
  if (offset < reader_.Size()) SetStart(offset);
}

}  // namespace orvane::ui::side
