#pragma once

#include <QComboBox>

namespace orvane::session {
class Session;
}

namespace orvane::ui {

// The toolbar's page selector: "Single bytes", then every page that holds codes with its count.
// It shows the cursor's page; choosing an item, or typing a prefix of 2, 4 or 6 hexadecimal digits
// and Enter, opens that page (an empty one too) and gives the keyboard back to the grid. Any other
// text turns the field red and the page stays.
class PageSelector : public QComboBox {
  Q_OBJECT

 public:
  PageSelector(session::Session& session, QWidget* grid, QWidget* parent = nullptr);

  // The item text of the single bytes, and of a page: "81xx · 188 codes".
  [[nodiscard]] static QString SingleBytesText();

 private:
  // Lists the pages again; the items follow the table.
  void ShowPages();
  // Shows the cursor's page in the field.
  void ShowCurrentPage();
  void cboPage_Activated(int item);
  void cboPage_ReturnPressed();
  void ShowValid(bool valid);

  session::Session& session_;
  QWidget* grid_;
};

}  // namespace orvane::ui
