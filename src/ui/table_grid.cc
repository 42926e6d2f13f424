#include "ui/table_grid.h"

#include "editing/cell_editing.h"
#include "editing/editing_state.h"
#include "model/table_document.h"
#include "model/table_file.h"
#include "text/display_text.h"
#include "ui/key_typing.h"

#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <array>

namespace orvane::ui {
namespace {

constexpr int kSide = 16;
const QColor kMarkedBackground(255, 255, 0);
// Not the marks' yellow: a control code reads on into its arguments, a mark ends the text.
const QColor kControlBackground(190, 220, 255);

QString HexDigit(int value) { return QString::number(value, 16).toUpper(); }

// Paints a small triangle in the top right corner of a cell that leads a page of longer codes.
class CornerMarkDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    if (!index.data(TableGridModel::kLeadsCodesRole).toBool()) return;
    const QRect cell = option.rect;
    const int side = std::max(4, cell.height() / 4);
    const QPoint corner = cell.topRight();
    const std::array<QPoint, 3> triangle = {corner, corner - QPoint(side, 0),
                                            corner + QPoint(0, side)};
    painter->save();
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0, 90, 180));
    painter->drawPolygon(triangle.data(), static_cast<int>(triangle.size()));
    painter->restore();
  }
};

}  // namespace

TableGridModel::TableGridModel(const model::TableDocument& document,
                               const editing::EditingState& state, QObject* parent)
    : QAbstractTableModel(parent), document_(document), state_(state) {
  connect(&document_, &model::TableDocument::cellChanged, this, &TableGridModel::ShowCell);
  connect(&document_, &model::TableDocument::tableReset, this, &TableGridModel::ShowAll);
  connect(&document_, &model::TableDocument::encodingChanged, this, &TableGridModel::ShowAll);
  connect(&state_, &editing::EditingState::pageChanged, this, &TableGridModel::ShowPage);
}

QModelIndex TableGridModel::CellOfCode(const model::Code& code) const {
  if (code.PageOf() != state_.CurrentPage()) return {};
  return index(code.Last() / kSide, code.Last() % kSide);
}

std::optional<model::Code> TableGridModel::CodeOfCell(const QModelIndex& cell) const {
  if (!cell.isValid() || cell.model() != this) return std::nullopt;
  const std::optional<quint8> cell_code = CodeAt(cell.row(), cell.column());
  if (!cell_code) return std::nullopt;
  return model::CodeOnPage(state_.CurrentPage(), *cell_code);
}

std::optional<quint8> TableGridModel::CodeAt(int row, int column) {
  if (row < 0 || row >= kSide || column < 0 || column >= kSide) return std::nullopt;
  return static_cast<quint8>(row * kSide + column);
}

int TableGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kSide;
}

int TableGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kSide;
}

QVariant TableGridModel::data(const QModelIndex& index, int role) const {
  const std::optional<model::Code> cell_code = CodeOfCell(index);
  if (!cell_code) return {};
  const model::Code code = *cell_code;
  switch (role) {
    case Qt::DisplayRole:
      return text::DisplayText(document_.GetCellText(code), document_.Encoding());
    case Qt::ToolTipRole: {
      // The line a save writes, so that a mark's text after its code can be seen.
      const QByteArray line = model::CodeLine(document_, code);
      if (line.isEmpty()) return {};
      return text::Abridged(text::DisplayText(line, document_.Encoding()));
    }
    case Qt::BackgroundRole:
      if (document_.HasWrittenMark(code)) return kMarkedBackground;
      if (document_.IsControl(code)) return kControlBackground;
      return {};
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignCenter);
    case kLeadsCodesRole:
      return document_.LeadsCodes(code);
    default:
      return {};
  }
}

QVariant TableGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::DisplayRole) {
    if (orientation == Qt::Horizontal) return HexDigit(section);
    return QString::fromLatin1(state_.CurrentPage().Hex()) + HexDigit(section);
  }
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
  return {};
}

Qt::ItemFlags TableGridModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TableGridModel::ShowCell(const model::Code& code) {
  QModelIndex cell = CellOfCode(code);
  // A longer code may give the cell of this page that leads it its corner mark, or take it away.
  const int shown = state_.CurrentPage().Length() + 1;
  if (!cell.isValid() && code.Length() > shown) {
    const auto leading = model::Code::Make(code.Value() >> (8 * (code.Length() - shown)), shown);
    if (leading) cell = CellOfCode(*leading);
  }
  if (cell.isValid()) emit dataChanged(cell, cell);
}

void TableGridModel::ShowAll() { emit dataChanged(index(0, 0), index(kSide - 1, kSide - 1)); }

void TableGridModel::ShowPage() {
  emit headerDataChanged(Qt::Vertical, 0, kSide - 1);
  ShowAll();
}

TableGrid::TableGrid(QWidget* parent) : QTableView(parent) {
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(false);
  setCornerButtonEnabled(false);
  setWordWrap(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setAttribute(Qt::WA_InputMethodEnabled);
  setItemDelegate(new CornerMarkDelegate(this));
  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignCenter);
  }
  // Unmarked cells are white, as a table is printed, whatever the desktop theme.
  QPalette colours = palette();
  colours.setColor(QPalette::Base, Qt::white);
  colours.setColor(QPalette::Text, Qt::black);
  setPalette(colours);
}

void TableGrid::FitToFont(int minimum_width) {
  const QFontMetrics metrics(font());
  // Wide enough for the row header of a page of four-byte codes, "8A5B8BF".
  int header = metrics.horizontalAdvance(QStringLiteral(" 8A5B8BF "));
  const int frame = 2 * frameWidth();
  // A header digit padded with two blanks each side, wide enough for one kana as well: a kana is
  // about as wide as a line is high, and measuring one would load a Japanese font at start-up.
  const int column = std::max({metrics.horizontalAdvance(QStringLiteral("  F  ")),
                               2 * metrics.horizontalAdvance(u' ') + metrics.height(),
                               (minimum_width - header - frame) / kSide});
  header = std::max(header, minimum_width - frame - kSide * column);
  const int row = metrics.height() + 6;
  horizontalHeader()->setDefaultSectionSize(column);
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(row);
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setFixedWidth(header);
  horizontalHeader()->setFixedHeight(row);
  setFixedSize(header + kSide * column + frame, horizontalHeader()->height() + kSide * row + frame);
}

void TableGrid::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      QTableView::keyPressEvent(event);
      return;
    case Qt::Key_Delete:  // Delete types no character
      return;
    default:
      break;
  }
  const KeyTyping typing = TypingOf(*event);
  if (!typing.Types()) {
    event->ignore();
    return;
  }
  if (!typing.committed.isEmpty()) emit textCommitted(typing.committed);
  for (const QChar character : typing.keys) emit keyTyped(character);
}

void TableGrid::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty()) emit textCommitted(event->commitString());
  event->accept();
}

QVariant TableGrid::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImEnabled) return true;
  if (query == Qt::ImCursorRectangle) return visualRect(currentIndex());
  return QTableView::inputMethodQuery(query);
}

}  // namespace orvane::ui
