#pragma once

#include "kana/kana_tables.h"

#include <QLabel>

#include <optional>

namespace orvane::ui {

// The status bar's panels, numbered from 1 left to right.
enum class Panel {
  kSelectedCode = 1,
  kModified = 2,
  kCaps = 3,
  kAscii = 4,
  kHiragana = 5,
  kKatakana = 6,
};

// The panel that shows an input mode, and the mode a click on a panel selects (panels 4 to 6).
[[nodiscard]] Panel PanelOfMode(kana::InputMode mode);
[[nodiscard]] std::optional<kana::InputMode> ModeOfPanel(Panel panel);

// One panel of the status bar: a sunken label that reports clicks. Greyed when disabled.
class StatusPanel : public QLabel {
  Q_OBJECT

 public:
  StatusPanel(const QString& text, int width, Qt::Alignment alignment, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  // A disabled widget gets no mouse events, but its event filters still do.
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace orvane::ui
