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
  QTest::addColumn<int>("file_argument");
  QTest::newRow("none") << QStringList{} << int(Action::kRun) << QString() << -1;
  QTest::newRow("a file") << QStringList{u"a.tbl"_s} << int(Action::kRun) << u"a.tbl"_s << 0;
  QTest::newRow("version") << QStringList{u"--version"_s} << int(Action::kVersion) << QString()
                           << -1;
  QTest::newRow("help") << QStringList{u"--help"_s} << int(Action::kHelp) << QString() << -1;
  QTest::newRow("two files") << QStringList{u"a.tbl"_s, u"b.tbl"_s} << int(Action::kUsageError)
                             << QString() << -1;
  QTest::newRow("unknown option") << QStringList{u"-x"_s} << int(Action::kUsageError) << QString()
                                  << -1;
  QTest::newRow("version and a file")
      << QStringList{u"--version"_s, u"a.tbl"_s} << int(Action::kUsageError) << QString() << -1;
  QTest::newRow("a file named like an option")
      << QStringList{u"--"_s, u"-a.tbl"_s} << int(Action::kRun) << u"-a.tbl"_s << 1;
}

void CommandLineTest::ArgumentsGiveTheirAction() {
  QFETCH(QStringList, arguments);
  QFETCH(int, action);
  QFETCH(QString, file);
  QFETCH(int, file_argument);
  const CommandLine line = ParseCommandLine(arguments);
  QCOMPARE(int(line.action), action);
  QCOMPARE(line.file, file);
  QCOMPARE(line.file_argument, file_argument);
}

}  // namespace orvane::session

QTEST_GUILESS_MAIN(orvane::session::CommandLineTest)
#include "command_line_test.moc"
