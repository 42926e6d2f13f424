#include "session/command_line.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace orvane::session {

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void ArgumentsGiveTheirAction_data();
  void ArgumentsGiveTheirAction();
};

void CommandLineTest::ArgumentsGiveTheirAction_data() {
  using Action = CommandLine::Action;
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<int>("action");
  QTest::addColumn<QString>("file");
  QTest::newRow("none") << QStringList{} << int(Action::kRun) << QString();
  QTest::newRow("a file") << QStringList{u"a.tbl"_s} << int(Action::kRun) << u"a.tbl"_s;
  QTest::newRow("version") << QStringList{u"--version"_s} << int(Action::kVersion) << QString();
  QTest::newRow("help") << QStringList{u"--help"_s} << int(Action::kHelp) << QString();
  QTest::newRow("two files") << QStringList{u"a.tbl"_s, u"b.tbl"_s} << int(Action::kUsageError)
                             << QString();
  QTest::newRow("unknown option") << QStringList{u"-x"_s} << int(Action::kUsageError) << QString();
  QTest::newRow("version and a file")
      << QStringList{u"--version"_s, u"a.tbl"_s} << int(Action::kUsageError) << QString();
  QTest::newRow("a file named like an option")
      << QStringList{u"--"_s, u"-a.tbl"_s} << int(Action::kRun) << u"-a.tbl"_s;
}

void CommandLineTest::ArgumentsGiveTheirAction() {
  QFETCH(QStringList, arguments);
  QFETCH(int, action);
  QFETCH(QString, file);
  const CommandLine line = ParseCommandLine(arguments);
  QCOMPARE(int(line.action), action);
  QCOMPARE(line.file, file);
}

}  // namespace orvane::session

QTEST_GUILESS_MAIN(orvane::session::CommandLineTest)
#include "command_line_test.moc"
