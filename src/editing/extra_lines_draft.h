#pragma once

#include "model/table_document.h"

#include <QByteArray>
#include <QList>
#include <QObject>

namespace orvane::editing {

// The Extra Lines Manager's working copy: the rows it edits while it is open, any number of
// them, which reach the table only when applied ("&Close"). Add, Update and Delete are announced
// as edits, which mark the table modified at once, as the manager always has. Kept in the core so
// that the commands can tell when closing or replacing the table would lose rows.
class ExtraLinesDraft : public QObject {
  Q_OBJECT

 public:
  explicit ExtraLinesDraft(model::TableDocument& document, QObject* parent = nullptr);

  // Takes the table's lines as the rows; Close drops them.
  void Open();
  void Close();
  [[nodiscard]] bool IsOpen() const { return open_; }
  [[nodiscard]] const QList<QByteArray>& Rows() const { return rows_; }

  void Add(const QByteArray& line);
  // Row numbers outside the rows are refused (false) and change nothing.
  [[nodiscard]] bool Update(int row, const QByteArray& line);
  // The rows after it move up one: their order carries meaning (the later of two lines for one
  // code wins; a comment heads its block).
  [[nodiscard]] bool Delete(int row);

  // Writes the rows into the table; a row that defines a code of two to four bytes becomes that
  // code and leaves the rows.
  void Apply();
  // Takes the table's lines again, dropping the edits.
  void Revert();
  // Open, and the user has changed the rows since they were taken from or written to the table:
  // they are not in the table yet. A copy without such rows follows the table's lines.
  [[nodiscard]] bool HasPendingRows() const;

 signals:
  // The rows were taken anew from the table: a manager lists them again.
  void rowsReset();
  // The rows, or whether they are open, changed.
  void rowsChanged();
  // Add, Update or Delete changed the rows.
  void edited();

 private:
  // The table's lines changed while the copy is open (an undo, a conversion, a new table): a
  // copy without pending rows follows them.
  void TableLinesChanged();

  model::TableDocument& document_;
  QList<QByteArray> rows_;
  QList<qsizetype> origins_;      // each row's line in the file (model::ExtraLines::Origin), or 0
  QList<QByteArray> taken_;       // the rows as last taken from or written to the table
  model::ExtraLines taken_from_;  // the table's lines then; copies share them, so a check is cheap
  bool open_ = false;
  bool applying_ = false;  // the table's lines change by this copy's own hand
};

}  // namespace orvane::editing
