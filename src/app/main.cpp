#include "orvane_version.h"
#include "session/command_line.h"
#include "session/session.h"
#include "ui/frm_orvane.h"
#include "ui/qt_answers.h"
#include "ui/side/side_window_host.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

namespace {

void Print(std::FILE* stream, const QString& text) { std::fputs(qPrintable(text), stream); }

}  // namespace

int main(int argc, char* argv[]) {
  // Read before the window system is touched: --version and --help need no display.
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const orvane::session::CommandLine command_line = orvane::session::ParseCommandLine(arguments);
  using Action = orvane::session::CommandLine::Action;
  switch (command_line.action) {
    case Action::kVersion:
      Print(stdout, QStringLiteral("Orvane %1\n").arg(QLatin1String(orvane::kFullVersion)));
      return 0;
    case Action::kHelp:
      Print(stdout, orvane::session::UsageText());
      return 0;
    case Action::kUsageError:
      Print(stderr, orvane::session::UsageText());
      return 2;
    case Action::kRun:
      break;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvane"));
  // The desktop matches the window to its entry and icon by this id.
  QGuiApplication::setDesktopFileName(QLatin1String(orvane::kAppId));
  QApplication::setWindowIcon(QIcon::fromTheme(QLatin1String(orvane::kAppId)));
  // Declared in the order that fixes their destruction: each outlives what refers to it.
  orvane::ui::QtAnswers answers;
  orvane::session::Session session(answers);
  orvane::ui::side::SideWindowHost side_windows(session);
  orvane::ui::frmOrvane window(session, side_windows);
  answers.SetMainWindow(&window);
  window.show();
  if (!command_line.file.isEmpty()) {
    session.Commands().OpenFile(QByteArray(argv[1 + command_line.file_argument]));
  }
  return QApplication::exec();
}
