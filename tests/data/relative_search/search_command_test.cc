#include "made_up_data.h"
#include "support/temp_table.h"
#include "tbl_tool.h"

#include <QFileInfo>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
  row("options in any letter case")
      << QStringList{u"<data>"_s,   u"takaramono"_s, u"--order"_s,
                     u"HIRAGANA"_s, u"--values"_s,   u"16LE"_s}
      << 0 << QByteArray("3 hits: \xE3\x81\x82=0120 (first at 00001500)");
  row("an option twice") << QStringList{u"<data>"_s, u"HERO"_s,    u"--order"_s,
                                        u"upper"_s,  u"--order"_s, u"lower"_s}
                         << 2 << QByteArray("orvane-tbl search: --order is given more than once");
  // DATA and WORD alone.
  const auto search = [](const char* name, const QString& data, const QString& word, int exit_code,
                         const QByteArray& first_line) {
    QTest::newRow(name) << QStringList{data, word} << exit_code << first_line;
  };
  search("word not UTF-8", u"<data>"_s, u"HER\\xFF"_s, 2,
         "orvane-tbl search: WORD is not valid UTF-8 (byte 4)");
  search("a name that is not UTF-8", u"<dir>/caf\\xE9.bin"_s, u"HERO"_s, 0,
         "3 hits: A=80 (first at 00000100)");
  search("data of one byte", u"<dir>/one.bin"_s, u"HERO"_s, 1,
         "<dir>/one.bin: The data (1 byte) is shorter than the word (4 bytes).");
  search("a folder", u"<dir>"_s, u"HERO"_s, 1, "<dir> is a folder.");
  search("a named pipe, not waited for", u"<dir>/pipe"_s, u"HERO"_s, 1,
         "<dir>/pipe is not a regular file.");
  search("a device, not read as empty", u"/dev/zero"_s, u"HERO"_s, 1,
         "/dev/zero is not a regular file.");
  search("standard input", u"-"_s, u"HERO"_s, 2,
         "orvane-tbl: search reads DATA at offsets, so from a file, not from standard input "
         "(\"-\"); a file named - is ./-");
}

void SearchCommandTest::PrintsTheCandidatesOrWhyNot() {
  QFETCH(QStringList, arguments);
  QFETCH(int, exit_code);
  const ValueSize values =
      arguments.contains(u"16le"_s, Qt::CaseInsensitive) ? ValueSize::k16Le : ValueSize::k8;
  orvane::testing::TempFolder folder;
  const QByteArray bytes = orvane::testing::MadeUpData(values);
  const QString path = folder.Write(u"game.bin"_s, bytes);
  const QString dir = QFileInfo(path).path();
  (void)folder.Write(u"one.bin"_s, "A");
  const QByteArray cafe = QFile::encodeName(dir) + "/caf\xE9.bin";
  const int descriptor = open(cafe.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
  QVERIFY(descriptor >= 0 &&
          write(descriptor, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size());
  QCOMPARE(close(descriptor), 0);
  QVERIFY(mkfifo(QFile::encodeName(dir + u"/pipe"_s).constData(), 0644) == 0);
  arguments.replaceInStrings(u"<data>"_s, path).replaceInStrings(u"<dir>"_s, dir);
  const auto result = orvane::tools::RunTblTool(
      orvane::testing::ArgumentBytes(QStringList{u"search"_s} + arguments));
  QCOMPARE(unlink(cafe.constData()), 0);  // Qt cannot name it
  QCOMPARE(result.exit_code, exit_code);
  const QByteArray printed = exit_code == 0 ? result.out : result.err;
  QFETCH(QByteArray, first_line);
  first_line.replace("<data>", path.toLocal8Bit()).replace("<dir>", dir.toLocal8Bit());
  QCOMPARE(printed.left(printed.indexOf('\n')), first_line);
}

QTEST_GUILESS_MAIN(SearchCommandTest)
#include "search_command_test.moc"
