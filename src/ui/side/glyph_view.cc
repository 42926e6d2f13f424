#include "ui/side/glyph_view.h"

#include "data/block_reader.h"
#include "session/session.h"
#include "text/display_text.h"
#include "ui/key_typing.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace orvane::ui::side {
namespace {

// Rounds towards minus infinity: rows before glyph 0 have negative numbers.
qint64 FloorDivide(qint64 a, qint64 b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

GlyphView::GlyphView(data::BlockReader& reader, session::Session& session, QWidget* parent)
    : QAbstractScrollArea(parent), reader_(reader), session_(session) {
  setObjectName(QStringLiteral("glyphData"));
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  const auto update = [this] { viewport()->update(); };
  const model::TableDocument& document = session_.Document();
  connect(&document, &model::TableDocument::cellChanged, viewport(), update);
  connect(&document, &model::TableDocument::tableReset, viewport(), update);
  connect(&document, &model::TableDocument::encodingChanged, viewport(), update);
  connect(&session_.State(), &editing::EditingState::cursorChanged, viewport(), update);
  Relayout();
}

void GlyphView::SetFont(const glyphs::FontLayout& font) {
  const qint64 top = TopGlyph();
  const qint64 top_offset = glyphs::GlyphOffset(font_, std::max<qint64>(0, top));
  const bool same_place = font.offset == font_.offset && font.format.stride == font_.format.stride;
  font_ = font;
  Relayout();
  // A new start shows the font from its first glyph; a new format keeps the bytes in view.
  GoTo(same_place ? top_offset : font_.offset);
}

void GlyphView::SetZoom(int zoom) {
  zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
  const qint64 top = TopGlyph();
  Relayout();
  verticalScrollBar()->setValue(static_cast<int>(RowOf(top) - FirstRow()));
}

void GlyphView::SetGreys(bool greys) {
  greys_ = greys;
  Relayout();
}

void GlyphView::Relayout() {
  renderer_ = GlyphRenderer(font_.format.width, font_.format.height,
                            glyphs::BitsPerPixel(font_.format.pixels), zoom_, greys_,
                            2 * font_.first_code.Length(), QFontMetrics(font()), palette());
  UpdateScrollRange();
  viewport()->update();
}

void GlyphView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  // The renderer holds the colours of the widget's state: enabled or greyed.
  const QEvent::Type type = event->type();
  if (type == QEvent::FontChange || type == QEvent::PaletteChange ||
      type == QEvent::EnabledChange) {
    Relayout();
  }
}

qint64 GlyphView::GlyphCount() const { return glyphs::GlyphsInData(font_, reader_.Size()); }

qint64 GlyphView::FirstRow() const {
  const qint64 row_bytes = qint64{kRowGlyphs} * glyphs::GlyphStride(font_.format);
  return -((std::max<qint64>(0, font_.offset) + row_bytes - 1) / row_bytes);
}

qint64 GlyphView::RowOf(qint64 index) const { return FloorDivide(index, kRowGlyphs); }

int GlyphView::RowsInView() const {
  return std::max(1, viewport()->height() / renderer_.CellHeight());
}

qint64 GlyphView::TopGlyph() const {
  return (FirstRow() + verticalScrollBar()->value()) * kRowGlyphs;
}

qint64 GlyphView::VisibleGlyphs() const { return qint64{RowsInView()} * kRowGlyphs; }

void GlyphView::UpdateScrollRange() {
  const qint64 last_row = RowOf(std::max<qint64>(0, GlyphCount() - 1));
  const qint64 rows = last_row - FirstRow() + 1;
  verticalScrollBar()->setRange(
      0, static_cast<int>(std::clamp<qint64>(rows - RowsInView(), 0, INT_MAX)));
  verticalScrollBar()->setPageStep(RowsInView());
  const int width = kRowGlyphs * renderer_.CellWidth();
  horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
}

void GlyphView::GoTo(qint64 offset) {
  const qint64 index = FloorDivide(offset - font_.offset, glyphs::GlyphStride(font_.format));
  verticalScrollBar()->setValue(
      static_cast<int>(std::clamp<qint64>(RowOf(index) - FirstRow(), 0, INT_MAX)));
  viewport()->update();
}

void GlyphView::FileChanged() {
  reader_.Forget();
  UpdateScrollRange();
  viewport()->update();
}

std::optional<qint64> GlyphView::CurrentGlyph() const {
  const model::Code cursor = session_.State().CursorCode();
  const model::Code& first = font_.first_code;
  if (cursor.Length() != first.Length() || cursor.Value() < first.Value()) return std::nullopt;
  const qint64 index = qint64{cursor.Value()} - qint64{first.Value()};
  if (index >= GlyphCount()) return std::nullopt;
  return index;
}

void GlyphView::Choose(qint64 index) {
  const auto code = glyphs::GlyphCode(font_.first_code, index);
  if (!code || index >= GlyphCount()) return;
  session_.State().SelectCode(*code);
  const qint64 row = RowOf(index) - FirstRow();
  QScrollBar* bar = verticalScrollBar();
  if (row < bar->value()) bar->setValue(static_cast<int>(row));
  if (row >= bar->value() + RowsInView()) bar->setValue(static_cast<int>(row - RowsInView() + 1));
}

void GlyphView::Move(qint64 glyphs) {
  // Without a glyph of its own the cursor comes first to the top glyph in view.
  const auto current = CurrentGlyph();
  const qint64 target = current ? *current + glyphs : std::max<qint64>(0, TopGlyph());
  Choose(std::clamp<qint64>(target, 0, std::max<qint64>(0, GlyphCount() - 1)));
}

QRect GlyphView::GlyphRect(qint64 index) const {
  const qint64 row = RowOf(index) - FirstRow() - verticalScrollBar()->value();
  const auto column = static_cast<int>(index - RowOf(index) * kRowGlyphs);
  return {column * renderer_.CellWidth() - horizontalScrollBar()->value(),
          static_cast<int>(row) * renderer_.CellHeight(), renderer_.CellWidth(),
          renderer_.CellHeight()};
}

glyphs::GlyphPixels GlyphView::Glyph(qint64 index) const {
  const qint64 offset = glyphs::GlyphOffset(font_, index);
  if (offset < 0 || index >= GlyphCount()) return {};
  return glyphs::DecodeGlyph(reader_.Bytes(offset, glyphs::GlyphBytes(font_.format)), font_.format);
}

GlyphCell GlyphView::CellOf(qint64 index) const {
  GlyphCell cell{Glyph(index), {}, {}, CurrentGlyph() == index};
  if (const auto code = glyphs::GlyphCode(font_.first_code, index)) {
    const model::TableDocument& document = session_.Document();
    cell.code = QString::fromLatin1(code->Hex());
    const QByteArray text = document.GetCellText(*code);
    if (!text.isEmpty()) cell.text = text::DisplayText(text, document.Encoding());
  }
  return cell;
}

void GlyphView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().window());
  const qint64 top = TopGlyph();
  const qint64 end = std::min(top + qint64{RowsInView() + 1} * kRowGlyphs, GlyphCount());
  for (qint64 index = top; index < end; ++index) {
    if (glyphs::GlyphOffset(font_, index) < 0) continue;
    const QRect place = GlyphRect(index);
    renderer_.Paint(painter, place.left(), place.top(), CellOf(index));
  }
}

void GlyphView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
}

void GlyphView::scrollContentsBy(int /*dx*/, int /*dy*/) {
  viewport()->update();
  emit topChanged(glyphs::GlyphOffset(font_, std::max<qint64>(0, TopGlyph())));
}

void GlyphView::mousePressEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  const int column = (point.x() + horizontalScrollBar()->value()) / renderer_.CellWidth();
  if (column >= kRowGlyphs || point.x() < 0) return;
  const qint64 index =
      TopGlyph() + qint64{point.y() / renderer_.CellHeight()} * kRowGlyphs + column;
  if (index >= 0) Choose(index);
}

void GlyphView::keyPressEvent(QKeyEvent* event) {
  const qint64 page = VisibleGlyphs();
  switch (event->key()) {
    case Qt::Key_Left:
      return Move(-1);
    case Qt::Key_Right:
      return Move(1);
    case Qt::Key_Up:
      return Move(-kRowGlyphs);
    case Qt::Key_Down:
      return Move(kRowGlyphs);
    case Qt::Key_PageUp:
      return Move(-page);
    case Qt::Key_PageDown:
      return Move(page);
    default:
      break;
  }
  if (event->matches(QKeySequence::Paste)) {
    session_.PasteText(QGuiApplication::clipboard()->text());
    return;
  }
  const KeyTyping typing = TypingOf(*event);
  if (!typing.Types()) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  if (!typing.committed.isEmpty()) session_.CommitText(typing.committed);
  for (const QChar key : typing.keys) session_.TypeKey(key);
}

void GlyphView::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty()) session_.CommitText(event->commitString());
  event->accept();
}

QVariant GlyphView::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImEnabled) return true;
  if (query == Qt::ImCursorRectangle) {
    return CurrentGlyph() ? GlyphRect(*CurrentGlyph()) : QRect();
  }
  return QAbstractScrollArea::inputMethodQuery(query);
}

}  // namespace orvane::ui::side
