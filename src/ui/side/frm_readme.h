#pragma once

#include <QString>
#include <QWidget>

class QPlainTextEdit;

namespace orvane::ui::side {

// The program's documentation: plain ASCII lines ended by CR LF.
[[nodiscard]] QString ReadmeText();

// The Readme window: the readme, read-only, in a fixed-pitch font.
class frmReadme : public QWidget {
  Q_OBJECT

 public:
  explicit frmReadme(QWidget* parent = nullptr);

 private:
  QPlainTextEdit* Text1_ = nullptr;
};

}  // namespace orvane::ui::side
