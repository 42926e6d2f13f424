#include "session/session.h"
#include "ui/frm_orvane.h"
#include "ui/qt_answers.h"
#include "ui/side/side_window_host.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvane"));
  // Declared in the order that fixes their destruction: each outlives what refers to it.
  orvane::ui::QtAnswers answers;
  orvane::session::Session session(answers);
  orvane::ui::side::SideWindowHost side_windows(session);
  orvane::ui::frmOrvane window(session, side_windows);
  answers.SetMainWindow(&window);
  window.show();
  return QApplication::exec();
}
