#include "ui/frm_orvane.h"
#include "ui/side/side_window_host.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvane"));
  orvane::ui::frmOrvane window;
  orvane::ui::side::SideWindowHost side_windows(window.Document(), window.Answers(),
                                                [&window] { return window.Encoding(); });
  window.SetSideWindows(&side_windows);
  window.show();
  return QApplication::exec();
}
