#pragma once

#include "model/code.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <optional>

namespace orvane::model {
class TableDocument;
}
namespace orvane::editing {
class EditingState;
}

namespace orvane::ui {

// Presents one page of the document's codes, the one the cursor is on, as 16 x 16 cells with
// hexadecimal headers (the row headers carry the page's prefix); reads the document on every
// request, keeps nothing of it and follows its change signals (one redraw per bulk change). The
// only place that maps codes to cells.
class TableGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // A cell whose code leads a page of longer codes answers true for this role.
  static constexpr int kLeadsCodesRole = Qt::UserRole + 1;

  TableGridModel(const model::TableDocument& document, const editing::EditingState& state,
                 QObject* parent = nullptr);

  // The cell that shows a code of the page shown: the high digit of its last byte is the row,
  // the low digit the column. Invalid for a code of another page.
  [[nodiscard]] QModelIndex CellOfCode(const model::Code& code) const;
  // The code a cell shows; nothing for a cell of another model.
  [[nodiscard]] std::optional<model::Code> CodeOfCell(const QModelIndex& cell) const;
  // The code at a row and column, or nothing when either is outside 0..15.
  [[nodiscard]] static std::optional<quint8> CodeAt(int row, int column);

  [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                    int role) const override;
  [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Shows a code's text and background, when it is on the page shown.
  void ShowCell(const model::Code& code);
  // Shows every cell again: one repaint for a bulk change.
  void ShowAll();
  // Another page: its cells and row headers.
  void ShowPage();

 private:
  const model::TableDocument& document_;
  const editing::EditingState& state_;
};

// The grid of codes. It has no in-cell editor: typed characters leave as bytes through
// keyTyped() (Backspace as character 8), and committed input-method text through
// textCommitted(); the table's encoding turns them into bytes. A cell that leads a page of
// longer codes carries a small mark in its corner.
class TableGrid : public QTableView {
  Q_OBJECT

 public:
  explicit TableGrid(QWidget* parent = nullptr);

  // Column and row sizes from the grid's font, so all 17 rows and columns fit without scrolling
  // at any font size or display scale; columns widen to fill at least `minimum_width`.
  void FitToFont(int minimum_width);

 signals:
  void keyTyped(QChar key);
  void textCommitted(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
};

}  // namespace orvane::ui
