#include "ui/status_panel.h"

#include <QMouseEvent>

namespace orvane::ui {

StatusPanel::StatusPanel(const QString& text, int width, Qt::Alignment alignment, QWidget* parent)
    : QLabel(text, parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setAlignment(alignment | Qt::AlignVCenter);
  setContentsMargins(2, 0, 2, 0);
  if (width > 0) setFixedWidth(width);
}

void StatusPanel::mouseReleaseEvent(QMouseEvent* event) {
  // A disabled panel still answers: clicking the greyed mode panel selects that mode.
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace orvane::ui
