#include "made_up_data.h"
#include "support/temp_table.h"
#include "tbl_tool.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using orvane::data::ValueSize;

class SearchCommandTest : public QObject {
  Q_OBJECT

 private slots:
  void PrintsTheCandidatesOrWhyNot_data();
  void PrintsTheCandidatesOrWhyNot();
};

void SearchCommandTest::PrintsTheCandidatesOrWhyNot_data() {
  QTest::addColumn<QStringList>("arguments");  // <data> stands for the made-up data's file
  QTest::addColumn<int>("exit_code");
  QTest::addColumn<QByteArray>("first_line");  // of standard output, or else of standard error
  const auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
  row("HERO") << QStringList{u"<data>"_s, u"HERO"_s} << 0
              << QByteArray("3 hits: A=80 (first at 00000100)");
  row("two orders") << QStringList{u"<data>"_s, u"Hero"_s} << 0
                    << QByteArray("2 hits: A=80 a=A0 (first at 00000D00)");
  row("16-bit little-endian romaji")
      << QStringList{u"--values"_s,   u"16le"_s,    u"<data>"_s,
                     u"takaramono"_s, u"--order"_s, u"hiragana"_s}
      << 0 << QByteArray("3 hits: \xE3\x81\x82=0120 (first at 00001500)");
  row("none there") << QStringList{u"<data>"_s, u"QUIZ"_s} << 1
                    << QByteArray("<data>: no hit for QUIZ");
  row("unknown order") << QStringList{u"<data>"_s, u"HERO"_s, u"--order"_s, u"latin"_s} << 2
                       << QByteArray(
                              "orvane-tbl search: unknown order \"latin\" (upper, lower, "
                              "digits, hiragana, katakana, hiragana-jis, katakana-jis)");
  row("unknown value size") << QStringList{u"<data>"_s, u"HERO"_s, u"--values"_s, u"32"_s} << 2
                            << QByteArray(
                                   "orvane-tbl search: unknown value size \"32\" (8, "
                                   "16be, 16le)");
  row("one symbol") << QStringList{u"<data>"_s, u"A"_s} << 2
                    << QByteArray(
                           "orvane-tbl search: The word needs two different symbols of "
                           "one order: a single symbol has no difference to search.");
  row("no file") << QStringList{u"<data>.missing"_s, u"HERO"_s} << 1
                 << QByteArray("<data>.missing: No such file or directory");
}

void SearchCommandTest::PrintsTheCandidatesOrWhyNot() {
  QFETCH(QStringList, arguments);
  QFETCH(int, exit_code);
  const ValueSize values = arguments.contains(u"16le"_s) ? ValueSize::k16Le : ValueSize::k8;
  orvane::testing::TempFolder folder;
  const QString path = folder.Write(u"game.bin"_s, orvane::testing::MadeUpData(values));
  arguments.replaceInStrings(u"<data>"_s, path);
  const auto result = orvane::tools::RunTblTool(QStringList{u"search"_s} + arguments);
  QCOMPARE(result.exit_code, exit_code);
  const QByteArray printed = exit_code == 0 ? result.out : result.err;
  QFETCH(QByteArray, first_line);
  QCOMPARE(printed.left(printed.indexOf('\n')), first_line.replace("<data>", path.toLocal8Bit()));
}

QTEST_GUILESS_MAIN(SearchCommandTest)
#include "search_command_test.moc"
