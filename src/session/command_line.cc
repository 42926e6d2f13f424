#include "session/command_line.h"

namespace orvane::session {

CommandLine ParseCommandLine(const QStringList& arguments) {
  using Action = CommandLine::Action;
  CommandLine line;
  bool options_ended = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (!options_ended && argument == QLatin1String("--")) {
      options_ended = true;
    } else if (!options_ended && argument.startsWith(u'-') && argument.size() > 1) {
      if (arguments.size() != 1) return {Action::kUsageError, {}};
      if (argument == QLatin1String("--version")) return {Action::kVersion, {}};
      if (argument == QLatin1String("--help")) return {Action::kHelp, {}};
      return {Action::kUsageError, {}};
    } else if (line.file.isEmpty()) {
      line.file = argument;
      line.file_argument = i;
    } else {
      return {Action::kUsageError, {}};
    }
  }
  return line;
}

QString UsageText() {
  return QStringLiteral(
      "usage: orvane [FILE]     open FILE, or start with a new table\n"
      "       orvane --version  print the version\n"
      "       orvane --help     print this\n");
}

}  // namespace orvane::session
