#pragma once

#include <QPoint>
#include <QRect>

#include <optional>
#include <vector>

namespace orvane::ui::side {

// How a column of the hex view lays out a row: `cells` cells of `cell_width`, one for each byte
// of the row, with `middle_gap` more after the first half; or no cells and `width` alone (the
// offsets). `padding` follows it.
struct ColumnShape {
  int cells = 0;
  int cell_width = 0;
  int middle_gap = 0;
  int width = 0;
  int padding = 0;
};

// Where everything of the hex view stands, in pixels of its content before scrolling: a byte's
// offset to its row and column and back, a point to the byte under it, each column's cells. It
// is made from the font's metrics and the columns' shapes, and knows nothing of a widget.
class HexLayout {
 public:
  // A byte's row, counted from the data's first, and its column in the row.
  struct Place {
    qint64 row = 0;
    int column = 0;
    friend bool operator==(const Place&, const Place&) = default;
  };

  HexLayout() = default;
  HexLayout(int row_bytes, int row_height, int margin, std::vector<ColumnShape> columns);

  [[nodiscard]] int RowBytes() const { return row_bytes_; }
  [[nodiscard]] int RowHeight() const { return row_height_; }
  [[nodiscard]] int Width() const { return width_; }
  [[nodiscard]] int ColumnLeft(size_t column) const { return lefts_[column]; }

  [[nodiscard]] Place PlaceOf(qint64 offset) const;
  [[nodiscard]] qint64 OffsetOf(const Place& place) const;
  // The rows that hold `size` bytes.
  [[nodiscard]] qint64 RowCount(qint64 size) const;
  // The rows a height of the view shows, at least one.
  [[nodiscard]] int RowsIn(int height) const;
  // The cell of byte `cell` of a row that starts at `y`, in a column of cells.
  [[nodiscard]] QRect CellRect(size_t column, int cell, int y) const;
  // The byte under a point of the content when the top row is `top_row`: nothing off the cells
  // of every column, or at or past `size`.
  [[nodiscard]] std::optional<qint64> OffsetAt(QPoint point, qint64 top_row, qint64 size) const;

 private:
  [[nodiscard]] std::optional<int> CellAt(size_t column, int x) const;

  int row_bytes_ = 16;
  int row_height_ = 1;
  std::vector<ColumnShape> columns_;
  std::vector<int> lefts_;
  int width_ = 0;
};

}  // namespace orvane::ui::side
