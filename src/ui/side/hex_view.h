#pragma once

#include "ui/side/hex_columns.h"
#include "ui/side/hex_layout.h"

#include <QAbstractScrollArea>
#include <QList>

#include <memory>
#include <vector>

namespace orvane::data {
class BlockReader;
class DocumentLookup;
}  // namespace orvane::data

namespace orvane::ui::side {

// The data as rows of 16 bytes drawn by its columns (the offset, the bytes in hexadecimal and,
// beside them, the table's reading from the starting byte on). It reads only the rows it shows,
// each byte once, through the reader's held bytes, so a file of any size scrolls at once.
// Scrolling makes the first byte of the top row the starting byte; a click on a byte makes that
// byte the starting byte, where the reading starts anew.
class HexView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kRowBytes = 16;
  using Row = HexRow;

  // Both must outlive the view.
  HexView(data::BlockReader& reader, const data::DocumentLookup& lookup, QWidget* parent = nullptr);
  ~HexView() override;
  HexView(const HexView&) = delete;
  HexView& operator=(const HexView&) = delete;

  // One more column, at the right.
  void AddColumn(std::unique_ptr<ColumnRenderer> column);

  [[nodiscard]] qint64 Start() const { return start_; }
  // Makes `offset` the starting byte and scrolls its row to the top.
  void GoTo(qint64 offset);
  // The data was opened or changed on disk: read anew, the starting byte kept where it can be.
  void FileChanged();
  [[nodiscard]] qint64 VisibleBytes() const;
  // The rows in view, as painted.
  [[nodiscard]] QList<Row> VisibleRows() const;
  [[nodiscard]] const HexLayout& Layout() const { return layout_; }

 signals:
  void startChanged(qint64 start);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void changeEvent(QEvent* event) override;

 private:
  void Relayout();
  [[nodiscard]] qint64 TopRow() const;
  void UpdateScrollRange();
  void SetStart(qint64 start);

  data::BlockReader& reader_;
  const data::DocumentLookup& lookup_;
  std::vector<std::unique_ptr<ColumnRenderer>> columns_;
  HexLayout layout_;
  qint64 start_ = 0;
  bool scrolling_to_start_ = false;
};

}  // namespace orvane::ui::side
