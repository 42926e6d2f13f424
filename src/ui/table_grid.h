#pragma once

#include <QAbstractTableModel>
#include <QTableView>

#include <optional>

namespace orvane::model {
class TableDocument;
}

namespace orvane::ui {

// Presents the document's 256 cells as 16 x 16 with hexadecimal headers; reads the document on
// every request, keeps nothing of it and follows its change signals (one redraw per bulk
// change). The only place that maps codes to cells.
class TableGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TableGridModel(const model::TableDocument& document, QObject* parent = nullptr);

  // The cell that shows a code: its high digit is the row, its low digit the column.
  [[nodiscard]] QModelIndex CellOfCode(quint8 code) const;
  // The code a cell shows; nothing for a cell of another model.
  [[nodiscard]] std::optional<quint8> CodeOfCell(const QModelIndex& cell) const;
  // The code at a row and column, or nothing when either is outside 0..15.
  [[nodiscard]] static std::optional<quint8> CodeAt(int row, int column);

  [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                    int role) const override;
  [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Shows a code's text and background.
  void ShowCell(quint8 code);
  // Shows every cell again: one repaint for a bulk change.
  void ShowAll();

 private:
  const model::TableDocument& document_;
};

// The grid of codes. It has no in-cell editor: typed characters leave as bytes through
// keyTyped() (Backspace as character 8), and committed input-method text through
// textCommitted(); the table's encoding turns them into bytes.
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
