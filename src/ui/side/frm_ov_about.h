#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;

namespace orvane::ui::side {

// A tall picture of a table column: hex codes beside their characters, one marked cell.
[[nodiscard]] QPixmap AboutPicture();

// The About box: name, version and a short description; OK, Enter and Escape close it.
class frmOVAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmOVAbout(QWidget* parent = nullptr);

 private:
  void Form_Load() {}
  void cmdOk_Click();

  QLabel* picIcon_ = nullptr;
  QLabel* lblTitle_ = nullptr;
  QLabel* lblVersion_ = nullptr;
  QLabel* lblDescription_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
};

}  // namespace orvane::ui::side
