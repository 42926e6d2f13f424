#include "ui/side/hex_columns.h"

#include "data/offset_text.h"

#include <QPainter>

#include <algorithm>

namespace orvane::ui::side {
namespace {

constexpr int kOffsetDigits = 8;
const QColor kMarkColour(0xFF, 0xFF, 0x00);      // the grid's yellow for marked cells
const QColor kControlColour(190, 220, 255);      // and its colour for control codes
const QString kOtherByte = QStringLiteral("·");  // a later byte of a code, or an argument

// A control code's label, not one character: it takes the cells of its bytes and arguments.
bool IsLabel(const QString& text) {
  return text.size() > 2 || (text.size() == 2 && !text[0].isHighSurrogate());
}

int DigitWidth(const QFontMetrics& metrics) { return metrics.horizontalAdvance(QLatin1Char('0')); }

QString HexByteText(char byte) {
  return QStringLiteral("%1").arg(static_cast<quint8>(byte), 2, 16, QChar(u'0')).toUpper();
}

}  // namespace

ColumnShape OffsetColumn::Shape(const QFontMetrics& metrics, int /*row_bytes*/) const {
  const int digit = DigitWidth(metrics);
  return ColumnShape{0, 0, 0, kOffsetDigits * digit, 2 * digit};
}

void OffsetColumn::Paint(QPainter& painter, const RowPaint& paint) const {
  painter.setPen(paint.palette.color(QPalette::PlaceholderText));
  painter.drawText(paint.layout.ColumnLeft(paint.column), paint.y + paint.metrics.ascent(),
                   data::OffsetText(paint.row.offset));
}

ColumnShape HexColumn::Shape(const QFontMetrics& metrics, int row_bytes) const {
  const int digit = DigitWidth(metrics);
  return ColumnShape{row_bytes, 3 * digit, digit, 0, digit};
}

void HexColumn::Paint(QPainter& painter, const RowPaint& paint) const {
  const int digits = 2 * DigitWidth(paint.metrics);
  for (qsizetype i = 0; i < paint.row.bytes.size(); ++i) {
    const QRect cell = paint.layout.CellRect(paint.column, static_cast<int>(i), paint.y);
    const bool start = paint.row.offset + i == paint.start;
    if (start) {
      painter.fillRect(cell.left(), cell.top(), digits, cell.height(), paint.palette.highlight());
    }
    painter.setPen(paint.palette.color(start ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(cell.left(), paint.y + paint.metrics.ascent(),
                     HexByteText(paint.row.bytes[i]));
  }
}

ColumnShape ReadingColumn::Shape(const QFontMetrics& metrics, int row_bytes) const {
  // Wide enough for a kanji.
  const int cell = std::max(DigitWidth(metrics), metrics.horizontalAdvance(QChar(u'\u6F22')));
  return ColumnShape{row_bytes, cell, 0, 0, 0};
}

void ReadingColumn::Paint(QPainter& painter, const RowPaint& paint) const {
  const QStringList& cells = paint.row.cells;
  for (qsizetype i = 0; i < cells.size(); ++i) {
    QRect cell = paint.layout.CellRect(paint.column, static_cast<int>(i), paint.y);
    const QString& text = cells[i];
    const bool start = paint.row.offset + i == paint.start;
    const bool label = IsLabel(text);
    if (label) {
      while (i + 1 < cells.size() && cells[i + 1] == kOtherByte) ++i;
      cell.setRight(paint.layout.CellRect(paint.column, static_cast<int>(i), paint.y).right());
    }
    if (start) {
      painter.fillRect(cell, paint.palette.highlight());
    } else if (label) {
      painter.fillRect(cell, kControlColour);
    } else if (text == u'/' || text == u'*') {
      painter.fillRect(cell, kMarkColour);
    }
    const bool faint = !start && (text == u'.' || text == kOtherByte);
    painter.setPen(paint.palette.color(start   ? QPalette::HighlightedText
                                       : faint ? QPalette::PlaceholderText
                                               : QPalette::Text));
    if (label) {
      // Where not even a character and "…" fit, the label's start says more than "…".
      QString shown = paint.metrics.elidedText(text, Qt::ElideRight, cell.width());
      if (shown == u'…') shown = text;
      painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, shown);
    } else {
      painter.drawText(cell, Qt::AlignCenter, text);
    }
  }
}

}  // namespace orvane::ui::side
