#include "ui/side/hex_view.h"

#include "data/block_reader.h"
#include "data/document_lookup.h"
#include "data/string_reader.h"

#include <QEvent>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace orvane::ui::side {
namespace {

constexpr int kMargin = 4;

}  // namespace

HexView::HexView(data::BlockReader& reader, const data::DocumentLookup& lookup, QWidget* parent)
    : QAbstractScrollArea(parent), reader_(reader), lookup_(lookup) {
  setObjectName(QStringLiteral("hexData"));
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  viewport()->setCursor(Qt::IBeamCursor);
  columns_.push_back(std::make_unique<OffsetColumn>());
  columns_.push_back(std::make_unique<HexColumn>());
  columns_.push_back(std::make_unique<ReadingColumn>());
  Relayout();
  connect(&lookup_, &data::DocumentLookup::changed, viewport(), qOverload<>(&QWidget::update));
}

HexView::~HexView() = default;

void HexView::AddColumn(std::unique_ptr<ColumnRenderer> column) {
  columns_.push_back(std::move(column));
  Relayout();
}

void HexView::Relayout() {
  const QFontMetrics metrics(font());
  std::vector<ColumnShape> shapes;
  for (const auto& column : columns_) shapes.push_back(column->Shape(metrics, kRowBytes));
  layout_ = HexLayout(kRowBytes, metrics.height(), kMargin, std::move(shapes));
  UpdateScrollRange();
  viewport()->update();
}

void HexView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) Relayout();
}

qint64 HexView::VisibleBytes() const {
  return qint64{layout_.RowsIn(viewport()->height())} * kRowBytes;
}

qint64 HexView::TopRow() const { return verticalScrollBar()->value(); }

void HexView::UpdateScrollRange() {
  const int visible_rows = layout_.RowsIn(viewport()->height());
  const qint64 last_top =
      std::clamp<qint64>(layout_.RowCount(reader_.Size()) - visible_rows, 0, INT_MAX);
  verticalScrollBar()->setRange(0, static_cast<int>(last_top));
  verticalScrollBar()->setPageStep(visible_rows);
  horizontalScrollBar()->setRange(0, std::max(0, layout_.Width() - viewport()->width()));
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
  const qint64 row = layout_.PlaceOf(offset).row;
  verticalScrollBar()->setValue(static_cast<int>(std::min<qint64>(row, INT_MAX)));
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
  if (!scrolling_to_start_) SetStart(layout_.OffsetOf({TopRow(), 0}));
  viewport()->update();
}

void HexView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
}

QList<HexView::Row> HexView::VisibleRows() const {
  const qint64 top = layout_.OffsetOf({TopRow(), 0});
  const qint64 count = VisibleBytes();
  // One ask for the rows and the bytes the last code in view may take after them.
  const QByteArray bytes = reader_.Bytes(top, count + model::kMaxCodeLength - 1).toByteArray();
  const qsizetype shown = std::min<qsizetype>(bytes.size(), count);
  // The reading runs from the starting byte to the last byte in view and the code it begins.
  const qint64 from = std::clamp(start_, top, top + bytes.size());
  const QStringList cells =
      data::ByteCells(data::ReadStrings(lookup_.Lookup(), QByteArrayView(bytes).sliced(from - top),
                                        from, data::LineBreaks::kMarker, true),
                      top, shown);
  QList<Row> rows;
  for (qsizetype at = 0; at < shown; at += kRowBytes) {
    rows.append(Row{top + at, bytes.mid(at, std::min<qsizetype>(kRowBytes, shown - at)),
                    cells.mid(at, kRowBytes)});
  }
  return rows;
}

void HexView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().base());
  painter.translate(-horizontalScrollBar()->value(), 0);
  const QFontMetrics metrics(font());
  int y = 0;
  for (const Row& row : VisibleRows()) {
    for (size_t column = 0; column < columns_.size(); ++column) {
      columns_[column]->Paint(painter,
                              RowPaint{row, layout_, column, y, start_, palette(), metrics});
    }
    y += layout_.RowHeight();
  }
}

void HexView::mousePressEvent(QMouseEvent* event) {
  const QPoint point(static_cast<int>(event->position().x()) + horizontalScrollBar()->value(),
                     static_cast<int>(event->position().y()));
  if (const auto offset = layout_.OffsetAt(point, TopRow(), reader_.Size())) SetStart(*offset);
}

}  // namespace orvane::ui::side
