#include "ui/status_panel.h"

#include <QMouseEvent>

namespace orvane::ui {

Panel PanelOfMode(kana::InputMode mode) {
  switch (mode) {
    case kana::InputMode::kHiragana:
      return Panel::kHiragana;
    case kana::InputMode::kKatakana:
      return Panel::kKatakana;
    case kana::InputMode::kAscii:
      break;
  }
  return Panel::kAscii;
}

std::optional<kana::InputMode> ModeOfPanel(Panel panel) {
  switch (panel) {
    case Panel::kAscii:
      return kana::InputMode::kAscii;
    case Panel::kHiragana:
      return kana::InputMode::kHiragana;
    case Panel::kKatakana:
      return kana::InputMode::kKatakana;
    default:
      return std::nullopt;
  }
}

StatusPanel::StatusPanel(const QString& text, int width, Qt::Alignment alignment, QWidget* parent)
    : QLabel(text, parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setAlignment(alignment | Qt::AlignVCenter);
  setContentsMargins(2, 0, 2, 0);
  if (width > 0) setFixedWidth(width);
  installEventFilter(this);
}

bool StatusPanel::eventFilter(QObject* watched, QEvent* event) {
  // A greyed mode panel still answers: clicking it selects that mode.
  if (watched == this && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && rect().contains(mouse->position().toPoint())) {
      emit clicked();
    }
  }
  return QLabel::eventFilter(watched, event);
}

}  // namespace orvane::ui
