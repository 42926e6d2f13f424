#include "ui/side/hex_layout.h"

#include <algorithm>

namespace orvane::ui::side {
namespace {

int WidthOf(const ColumnShape& shape) {
  const int cells = shape.cells > 0 ? shape.cells * shape.cell_width + shape.middle_gap : 0;
  return std::max(cells, shape.width) + shape.padding;
}

}  // namespace

HexLayout::HexLayout(int row_bytes, int row_height, int margin, std::vector<ColumnShape> columns)
    : row_bytes_(std::max(1, row_bytes)),
      row_height_(std::max(1, row_height)),
      columns_(std::move(columns)) {
  int x = margin;
  for (const ColumnShape& shape : columns_) {
    lefts_.push_back(x);
    x += WidthOf(shape);
  }
  width_ = x + margin;
}

HexLayout::Place HexLayout::PlaceOf(qint64 offset) const {
  return Place{offset / row_bytes_, static_cast<int>(offset % row_bytes_)};
}

qint64 HexLayout::OffsetOf(const Place& place) const {
  return place.row * row_bytes_ + place.column;
}

qint64 HexLayout::RowCount(qint64 size) const { return (size + row_bytes_ - 1) / row_bytes_; }

int HexLayout::RowsIn(int height) const { return std::max(1, height / row_height_); }

QRect HexLayout::CellRect(size_t column, int cell, int y) const {
  const ColumnShape& shape = columns_[column];
  const int gap = cell >= shape.cells / 2 ? shape.middle_gap : 0;
  return QRect(lefts_[column] + cell * shape.cell_width + gap, y, shape.cell_width, row_height_);
}

std::optional<int> HexLayout::CellAt(size_t column, int x) const {
  const ColumnShape& shape = columns_[column];
  if (shape.cells == 0) return std::nullopt;
  for (const int cell : {0, shape.cells / 2}) {
    // Each half from its first cell, so that the gap between them is no byte's.
    const int left = CellRect(column, cell, 0).left();
    const int count = cell == 0 ? shape.cells / 2 : shape.cells - shape.cells / 2;
    if (x >= left && x < left + count * shape.cell_width) {
      return cell + (x - left) / shape.cell_width;
    }
  }
  return std::nullopt;
}

std::optional<qint64> HexLayout::OffsetAt(QPoint point, qint64 top_row, qint64 size) const {
  if (point.y() < 0) return std::nullopt;
  const qint64 row = top_row + point.y() / row_height_;
  for (size_t column = 0; column < columns_.size(); ++column) {
    const auto cell = CellAt(column, point.x());
    if (!cell) continue;
    const qint64 offset = OffsetOf(Place{row, *cell});
    if (offset < size) return offset;
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace orvane::ui::side
