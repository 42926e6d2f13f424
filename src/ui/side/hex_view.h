#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <QStringList>

namespace orvane::data {
class BlockReader;
class DocumentLookup;
}  // namespace orvane::data

namespace orvane::ui::side {

// The data file as rows of 16 bytes: the offset, the bytes in hexadecimal and, beside them, the
// table's reading of those bytes from the starting byte on. It reads only the rows it shows, so
// a file of any size scrolls at once. Scrolling makes the first byte of the top row the starting
// byte; a click on a byte makes that byte the starting byte, where the reading starts anew.
class HexView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kRowBytes = 16;

  // Both must outlive the view.
  HexView(data::BlockReader& reader, const data::DocumentLookup& lookup, QWidget* parent = nullptr);

  [[nodiscard]] qint64 Start() const { return start_; }
  // Makes `offset` the starting byte and scrolls its row to the top.
  void GoTo(qint64 offset);
  // The file was opened or changed size: the rows again, the starting byte kept where it can be.
  void FileChanged();
  [[nodiscard]] qint64 VisibleBytes() const;

  // What a row shows: its offset, its bytes, and the reading's cell for each byte.
  struct Row {
    qint64 offset = 0;
    QByteArray bytes;
    QStringList cells;
  };
  // The rows in view, as painted.
  [[nodiscard]] QList<Row> VisibleRows() const;

 signals:
  void startChanged(qint64 start);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  struct Metrics {
    int row_height;
    int digit_width;
    int cell_width;  // of a byte's reading: wide enough for a kanji
    int hex_left;
    int text_left;
  };
  [[nodiscard]] Metrics Measure() const;
  [[nodiscard]] int VisibleRowCount() const;
  [[nodiscard]] qint64 TopOffset() const;
  void UpdateScrollRange();
  void SetStart(qint64 start);
  void PaintRow(QPainter& painter, const Metrics& metrics, const Row& row, int y) const;

  data::BlockReader& reader_;
  const data::DocumentLookup& lookup_;
  qint64 start_ = 0;
  bool scrolling_to_start_ = false;
};

}  // namespace orvane::ui::side
