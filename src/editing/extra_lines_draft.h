#pragma once

#include "model/table_document.h"

#include <QByteArray>
#include <QList>
#include <QObject>

namespace orvane::editing {

// The Extra Lines Manager's working copy: the rows it edits while it is open, any number of
// them, which reach the table only when applied ("&Close"). Add, Update and Delete set the table's
// modified flag at once, as the manager always has. Kept in the core so that the commands can tell
// when closing or replacing the table would lose rows.
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
  // The last row moves into the deleted one.
  [[nodiscard]] bool Delete(int row);

  // Writes the rows into the table, marking the table modified when that changes it.
  void Apply();
  // Takes the table's lines again, dropping the edits.
  void Revert();
  // Open, and applying would change the lines the table writes (empty rows write nothing).
  [[nodiscard]] bool HasPendingRows() const;

 signals:
  // The rows were taken anew from the table: a manager lists them again.
  void rowsReset();
  // The rows, or whether they are open, changed.
  void rowsChanged();

 private:
  // The table's lines changed while the copy is open (an undo): a copy the user has not edited
  // follows them.
  void TableLinesChanged();

  model::TableDocument& document_;
  QList<QByteArray> rows_;
  QList<QByteArray> taken_;  // the rows as last taken from or written to the table
  bool open_ = false;
};

}  // namespace orvane::editing
