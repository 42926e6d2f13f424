#pragma once

#include "editing/extra_lines_draft.h"
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

// The Extra Lines Manager. It shows and edits the session's working copy of the extra lines,
// one row of bytes per list row, which "&Close" writes into the table's slots; closing it any
// other way drops the copy.
class frmExtra : public QWidget {
  Q_OBJECT

 public:
  explicit frmExtra(session::Session& session, QWidget* parent = nullptr);

  // Takes a fresh working copy from the table, as on opening; run again when the main window
  // replaces the table.
  void Form_Load();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  // Lists the working copy's rows with an empty box and no selection.
  void ShowRows();
  // The rows' texts again, as the table's encoding reads them now.
  void ShowRowTexts();
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
  editing::ExtraLinesDraft& draft_;

  QListWidget* lstExtra_ = nullptr;
  QLineEdit* txtLine_ = nullptr;
  QPushButton* cmdUpdate_ = nullptr;
  QPushButton* cmdAdd_ = nullptr;
  QPushButton* cmdDel_ = nullptr;
  QPushButton* cmdOk_ = nullptr;
};

}  // namespace orvane::ui::side
