#pragma once

#include <QLabel>

namespace orvane::ui {

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
