#include "ui/status_panel.h"

#include <QMouseEvent>

namespace orvane::ui {

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
