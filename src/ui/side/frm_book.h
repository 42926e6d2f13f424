#pragma once

#include "model/table_document.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace orvane::session {
class Session;
}

namespace orvane::ui::side {

// The Bookmarks Manager. Row i of the list shows the title of slot i of the document, which
// keeps its slots in use packed at the front; every change goes straight into the document.
class frmBook : public QWidget {
  Q_OBJECT

 public:
  explicit frmBook(session::Session& session, QWidget* parent = nullptr);

  // Lists the table's bookmarks with empty boxes and no selection, as on opening; run again
  // when the main window replaces the table.
  void Form_Load();

 private:
  void BuildControls();
  // The rows' titles again, as the table's encoding reads them now.
  void ShowTitles();
  void lstBook_Click();
  void txtAddr_Change(const QString& text);
  void txtTitle_Change(const QString& text);
  void cmdAdd_Click();
  void cmdUpdate_Click();
  void cmdDel_Click();
  void cmdOk_Click();

  void TextBox_Change(const QString& text);
  // Runs one change of the store as a step of the history; false when it was refused.
  bool Change(const std::function<bool()>& change);
  void BookmarksChanged();
  [[nodiscard]] QString ShownTitle(const QByteArray& title) const;
  // The boxes as a bookmark, or nothing once the user has been told why not. `original` is
  // the title whose bytes an untouched title box keeps.
  [[nodiscard]] std::optional<model::Bookmark> ReadBoxes(const QString& address_error,
                                                         const QByteArray& original);

  session::Session& session_;
  model::TableDocument& document_;
  bool changing_ = false;  // the store changes by this window's own hand

  QListWidget* lstBook_ = nullptr;
  QLabel* Label1_ = nullptr;
  QLineEdit* txtAddr_ = nullptr;
  QLineEdit* txtTitle_ = nullptr;
  QPushButton* cmdUpdate_ = nullptr;
  QPushButton* cmdAdd_ = nullptr;
  QPushButton* cmdDel_ = nullptr;
  QPushButton* cmdOk_ = nullptr;
};

}  // namespace orvane::ui::side
