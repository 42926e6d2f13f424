#pragma once

#include <QString>
#include <QStringList>

namespace orvane::session {

// What the editor was asked to do when it was started: read before the window system is
// touched, so that --version, --help and a usage error need no display.
struct CommandLine {
  enum class Action { kRun, kVersion, kHelp, kUsageError };
  Action action = Action::kRun;
  QString file;  // a table to open at start-up, or empty
  // Which of the arguments names the file: its bytes, not the text above, are the name.
  qsizetype file_argument = -1;
};

// `arguments` excludes the program name. One file, --version or --help; anything else (two
// files, an option it does not know) is a usage error. "--" ends the options.
[[nodiscard]] CommandLine ParseCommandLine(const QStringList& arguments);

[[nodiscard]] QString UsageText();

}  // namespace orvane::session
