#pragma once

#include "model/table_document.h"

#include <QByteArray>
#include <QList>
#include <QWidget>

#include <optional>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace orvane::session {
class Session;
}

namespace orvane::ui::side {

// The Extra Lines Manager. It edits a working copy, one row of bytes per list row, that
// "&Close" writes into the table's slots; closing it any other way drops the copy. The copy
// never grows past the table's 31 slots.
class frmExtra : public QWidget {
  Q_OBJECT

 public:
  explicit frmExtra(session::Session& session, QWidget* parent = nullptr);

  // Takes a fresh working copy from the table, as on opening; run again when the main window
  // replaces the table.
  void Form_Load();

 private:
  void BuildControls();
  void lstExtra_Click();
  void txtLine_Change(const QString& text);
  void cmdAdd_Click();
  void cmdUpdate_Click();
  void cmdDel_Click();
  void cmdOk_Click();

  [[nodiscard]] QString ShownLine(const QByteArray& line) const;
  // The bytes for the text box, or nothing once the user has been told why not.
  [[nodiscard]] std::optional<QByteArray> ReadLine(const QByteArray& original);

  session::Session& session_;
  model::TableDocument& document_;
  QList<QByteArray> rows_;

  QListWidget* lstExtra_ = nullptr;
  QLineEdit* txtLine_ = nullptr;
  QPushButton* cmdUpdate_ = nullptr;
  QPushButton* cmdAdd_ = nullptr;
  QPushButton* cmdDel_ = nullptr;
  QPushButton* cmdOk_ = nullptr;
};

}  // namespace orvane::ui::side
