#pragma once

#include "ui/side/hex_layout.h"

#include <QByteArray>
#include <QFontMetrics>
#include <QPalette>
#include <QStringList>

class QPainter;

namespace orvane::ui::side {

// What a row of the hex view shows: its offset, its bytes, and the reading's cell for each byte.
struct HexRow {
  qint64 offset = 0;
  QByteArray bytes;
  QStringList cells;
};

// What a column paints a row with: the row, where it stands, the starting byte to highlight.
struct RowPaint {
  const HexRow& row;
  const HexLayout& layout;
  size_t column = 0;  // the column's place in the layout
  int y = 0;
  qint64 start = 0;
  const QPalette& palette;
  const QFontMetrics& metrics;
};

// One column of the hex view: its shape in the layout, and how it paints a row. The view is its
// columns side by side, so a further one (a font's glyphs, a pointer's target) is one more
// renderer.
class ColumnRenderer {
 public:
  ColumnRenderer() = default;
  ColumnRenderer(const ColumnRenderer&) = delete;
  ColumnRenderer& operator=(const ColumnRenderer&) = delete;
  virtual ~ColumnRenderer() = default;

  [[nodiscard]] virtual ColumnShape Shape(const QFontMetrics& metrics, int row_bytes) const = 0;
  virtual void Paint(QPainter& painter, const RowPaint& paint) const = 0;
};

// The offset of the row's first byte.
class OffsetColumn final : public ColumnRenderer {
 public:
  [[nodiscard]] ColumnShape Shape(const QFontMetrics& metrics, int row_bytes) const override;
  void Paint(QPainter& painter, const RowPaint& paint) const override;
};

// The bytes in hexadecimal, in two halves.
class HexColumn final : public ColumnRenderer {
 public:
  [[nodiscard]] ColumnShape Shape(const QFontMetrics& metrics, int row_bytes) const override;
  void Paint(QPainter& painter, const RowPaint& paint) const override;
};

// The table's reading: each character at its code's first byte, marks on yellow, a control
// code's label across the cells of its bytes and arguments.
class ReadingColumn final : public ColumnRenderer {
 public:
  [[nodiscard]] ColumnShape Shape(const QFontMetrics& metrics, int row_bytes) const override;
  void Paint(QPainter& painter, const RowPaint& paint) const override;
};

}  // namespace orvane::ui::side
