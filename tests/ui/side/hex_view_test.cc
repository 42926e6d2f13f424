// The hex view's geometry, alone, and what a paint of the real view reads of the data.
#include "ui/side/hex_view.h"

#include "data/block_reader.h"
#include "data/document_lookup.h"
#include "model/table_document.h"

#include <QTest>

#include <map>

namespace orvane::ui::side {
namespace {

// Offsets 100 wide with their padding, then 16 bytes of 30 with a gap of 10 after the eighth,
// then 16 cells of 14; a margin of 4 and rows 10 high.
HexLayout MadeUpLayout() {
  return HexLayout(
      16, 10, 4,
      {ColumnShape{0, 0, 0, 80, 20}, ColumnShape{16, 30, 10, 0, 10}, ColumnShape{16, 14, 0, 0, 0}});
}

// 4 KB of data that counts how often each byte is read.
class CountedSource final : public data::DataSource {
 public:
  [[nodiscard]] qint64 Size() const override { return 4096; }
  [[nodiscard]] qint64 Read(qint64 offset, char* into, qint64 size) override {
    const qint64 count = std::clamp<qint64>(Size() - offset, 0, size);
    for (qint64 i = 0; i < count; ++i) {
      into[i] = static_cast<char>(offset + i);
      ++reads[offset + i];
    }
    return count;
  }
  std::map<qint64, int> reads;
};

}  // namespace

class HexViewTest : public QObject {
  Q_OBJECT

 private slots:
  void PointsAndOffsetsMapBothWays_data();
  void PointsAndOffsetsMapBothWays();
  void APaintReadsEachVisibleByteOnce();
};

void HexViewTest::PointsAndOffsetsMapBothWays_data() {
  QTest::addColumn<QPoint>("point");   // in the content, with row 3 at the top
  QTest::addColumn<qint64>("offset");  // -1 for none
  QTest::newRow("first hex digit") << QPoint(104, 0) << 48LL;
  QTest::newRow("eighth byte, second row") << QPoint(104 + 7 * 30 + 29, 15) << 71LL;
  QTest::newRow("the gap between the halves") << QPoint(348, 5) << -1LL;
  QTest::newRow("ninth byte after the gap") << QPoint(354, 5) << 56LL;
  QTest::newRow("last reading cell, third row") << QPoint(604 + 15 * 14, 29) << 95LL;
  QTest::newRow("the offsets") << QPoint(60, 5) << -1LL;
  QTest::newRow("right of the reading") << QPoint(604 + 16 * 14, 5) << -1LL;
  QTest::newRow("past the end of the data") << QPoint(104, 60) << -1LL;
}

void HexViewTest::PointsAndOffsetsMapBothWays() {
  QFETCH(QPoint, point);
  QFETCH(qint64, offset);
  const HexLayout layout = MadeUpLayout();
  const auto found = layout.OffsetAt(point, 3, 100);
  QCOMPARE(found.value_or(-1), offset);
  if (!found) return;
  // And back: the byte's place, and its cells in both byte columns, one of them under the point.
  const HexLayout::Place place = layout.PlaceOf(offset);
  QCOMPARE(layout.OffsetOf(place), offset);
  const int y = static_cast<int>(place.row - 3) * layout.RowHeight();
  const QRect hex = layout.CellRect(1, place.column, y);
  const QRect reading = layout.CellRect(2, place.column, y);
  QVERIFY(hex.contains(point) || reading.contains(point));
  QCOMPARE(layout.OffsetAt(hex.center(), 3, 100), found);
  QCOMPARE(layout.OffsetAt(reading.center(), 3, 100), found);
}

void HexViewTest::APaintReadsEachVisibleByteOnce() {
  model::TableDocument document;
  const data::DocumentLookup lookup(document);
  CountedSource source;
  data::BlockReader reader(&source, 256);
  HexView view(reader, lookup);
  view.resize(700, 300);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  view.GoTo(0x400);
  source.reads.clear();
  view.viewport()->repaint();
  const qint64 top = view.VisibleRows().constFirst().offset;
  QCOMPARE(top, 0x400);
  for (qint64 at = top; at < top + view.VisibleBytes(); ++at) QCOMPARE(source.reads[at], 1);
  // Painted again, the bytes held answer; after the data changed, each is read once more.
  view.viewport()->repaint();
  QCOMPARE(source.reads[top], 1);
  view.FileChanged();
  view.viewport()->repaint();
  QCOMPARE(source.reads[top], 2);
  QCOMPARE(source.reads[top + view.VisibleBytes() - 1], 2);
}

}  // namespace orvane::ui::side

QTEST_MAIN(orvane::ui::side::HexViewTest)
#include "hex_view_test.moc"
