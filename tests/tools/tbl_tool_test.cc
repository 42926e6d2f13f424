#include "tbl_tool.h"

#include "orvane_version.h"
#include "support/file_size_limit.h"
#include "support/temp_table.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using orvane::testing::DataPath;
using orvane::testing::TempFolder;
using orvane::tools::RunTblTool;

class TblToolTest : public QObject {
  Q_OBJECT

 private slots:
  void NormalizeWritesCanonicalBytes();
  void CheckSummarizesTable();
  void CheckNamesFailingLine();
  void CheckOfMissingFileNamesFile();
  void CheckWarnsOfLinesASaveChangesAndNamesTheForm();
  void CheckCountsLongerCodesApart();
  void NormalizeOfBrokenFileWritesNothing();
  void NormalizeReportsSaveFailure_data();
  void NormalizeReportsSaveFailure();
  void FilesAreNamedByTheCommandLineBytes();
  void ConvertReadsANamedPipeOnce();
  void BadArgumentsGiveUsage_data();
  void BadArgumentsGiveUsage();
  void ProgramReportsThroughExitCodeAndStreams();
  void HelpGivesTheCommands();
  void ConvertRewritesTheTableOrNamesTheLines();
  void ConvertSaysWhatItWritesOtherwise();
  void CheckWarnsOfLinesNotValidInTheEncoding();
  void ShowPrintsTheLinesAsTheEncodingReadsThem();
  void EveryCommandNamesAFolderAlike_data();
  void EveryCommandNamesAFolderAlike();
  void DecodeEndsQuietlyWhenItsReaderGoes();
};

void TblToolTest::NormalizeWritesCanonicalBytes() {
  TempFolder folder;
  const QString out = folder.Path(QStringLiteral("out.tbl"));
  const QString in = DataPath(QStringLiteral("every_form.tbl"));
  const auto result = RunTblTool({QStringLiteral("normalize"), in, out});
  QCOMPARE(result.exit_code, 0);
  QCOMPARE(result.err, RunTblTool({QStringLiteral("check"), in}).err);  // the lines it drops
  QCOMPARE(TempFolder::Read(out),
           TempFolder::Read(DataPath(QStringLiteral("every_form.expected.tbl"))));
}

void TblToolTest::CheckSummarizesTable() {
  const QString path = DataPath(QStringLiteral("every_form.tbl"));
  const auto result = RunTblTool({QStringLiteral("check"), path});
  QCOMPARE(result.exit_code, 0);
  QCOMPARE(result.out,
           path.toLocal8Bit() +
               ": 8 codes, 0 longer codes, 2 special marks, 6 bookmarks, 5 extra lines, EUC-JP\n");
  const QByteArray file = path.toLocal8Bit();
  QCOMPARE(result.err, file + ":2: warning: code 41 is defined again on line 3\n" + file +
                           ":5: warning: code 42 has no text\n" + file +
                           ":6: warning: code 00 is defined again on line 7\n" + file +
                           ":11: warning: kept as an extra line\n" + file +
                           ":12: warning: kept as an extra line\n");  // " 00=B", "100=x"
}

void TblToolTest::CheckNamesFailingLine() {
  TempFolder folder;
  QByteArray bookmarks;  // one too many
  for (int i = 0; i < 32; ++i) bookmarks += "(" + QByteArray::number(i) + "h)b\n";
  const QString path = folder.Write(QStringLiteral("bad.tbl"), "41=A\n\r\n" + bookmarks);
  const auto result = RunTblTool({QStringLiteral("check"), path});
  QCOMPARE(result.exit_code, 1);
  QCOMPARE(result.out, QByteArray());
  QCOMPARE(result.err, path.toLocal8Bit() + ":34: more than 31 bookmarks\n");
}

void TblToolTest::CheckOfMissingFileNamesFile() {
  TempFolder folder;
  // A name cannot reach the terminal's controls either.
  const QString path = folder.Path(u"missing\x1B]0;x\x07.tbl"_s);
  const auto result = RunTblTool({QStringLiteral("check"), path});
  QCOMPARE(result.exit_code, 1);
  QCOMPARE(QString::fromUtf8(result.err),
           folder.Path(u"missing\u241B]0;x\u2407.tbl: No such file or directory\n"_s));
}

void TblToolTest::CheckWarnsOfLinesASaveChangesAndNamesTheForm() {
  TempFolder folder;
  const QString path =
      folder.Write(QStringLiteral("t.tbl"), QByteArray("\xEF\xBB\xBF; ====\n4G=x\n27=a\n27=b\nA4=\n"
                                                       "/ff=[end]\n 42=B\nPNG\0\n",
                                                       50));
  const auto result = RunTblTool({QStringLiteral("check"), path});
  QCOMPARE(result.exit_code, 0);
  const QByteArray file = path.toLocal8Bit();
  QCOMPARE(result.err, file + ":1: warning: kept as an extra line\n" + file +
                           ":2: warning: kept as an extra line\n" + file +
                           ":3: warning: code 27 is defined again on line 4\n" + file +
                           ":5: warning: code A4 has no text\n" + file +
                           ":7: warning: kept as an extra line\n" + file +
                           ":8: warning: holds bytes that table files do not hold (NUL); it may "
                           "not be a table\n");
  QCOMPARE(result.out, file +
                           ": 2 codes, 0 longer codes, 1 special marks, 0 bookmarks, 4 extra "
                           "lines, UTF-8 with BOM\n");
}

void TblToolTest::CheckCountsLongerCodesApart() {
  TempFolder folder;
  const QString path =
      folder.Write(u"t.tbl"_s, "41=A\n; kanji\n8140=x\n9AF6=\n8140=y\n*00f7\n/ff\n");
  const auto result = RunTblTool({u"check"_s, path});
  const QByteArray file = path.toLocal8Bit();
  QCOMPARE(result.err, file + ":3: warning: code 8140 is defined again on line 5\n");
  QCOMPARE(result.out, file +
                           ": 2 codes, 3 longer codes, 2 special marks, 0 bookmarks, 1 extra "
                           "lines, EUC-JP\n");
}

void TblToolTest::NormalizeOfBrokenFileWritesNothing() {
  TempFolder folder;
  const QString in = folder.Write(QStringLiteral("bad.tbl"),
                                  "\xFF\xFE"
                                  "4\0"
                                  "1\0=");
  const QString out = folder.Write(QStringLiteral("out.tbl"), "old\r\n");
  const auto result = RunTblTool({QStringLiteral("normalize"), in, out});
  QCOMPARE(result.exit_code, 1);
  QCOMPARE(result.err, in.toLocal8Bit() + ": not valid UTF-16 from line 1 on (byte 2)\n");
  QCOMPARE(TempFolder::Read(out), QByteArray("old\r\n"));

  const QString fresh = folder.Path(QStringLiteral("fresh.tbl"));
  QCOMPARE(RunTblTool({QStringLiteral("normalize"), in, fresh}).exit_code, 1);
  QVERIFY(!QFileInfo::exists(fresh));
}

void TblToolTest::NormalizeReportsSaveFailure_data() {
  QTest::addColumn<QString>("out");
  QTest::addColumn<QByteArray>("reason");
  QTest::newRow("missing folder") << u"no/t.tbl"_s << QByteArray("No such file or directory");
  QTest::newRow("file-size limit") << u"old.tbl"_s << QByteArray("File too large");
  QTest::newRow("folder") << u"folder"_s << QByteArray("Is a folder, not a regular file");
  QTest::newRow("named pipe") << u"pipe"_s << QByteArray("Is a named pipe, not a regular file");
  QTest::newRow("link to it") << u"link"_s
                              << QByteArray(
                                     "Is a symbolic link to a named pipe, "
                                     "not a regular file");
}

// Nothing there changes, and no temporary file is left behind.
void TblToolTest::NormalizeReportsSaveFailure() {
  QFETCH(QString, out);
  QFETCH(QByteArray, reason);
  TempFolder folder;
  QDir dir(folder.Path({}));
  const QString in = folder.Write(u"in.tbl"_s, "41=" + QByteArray(8000, 'A') + "\r\n");
  folder.Write(u"old.tbl"_s, "old");
  QVERIFY(mkfifo(QFile::encodeName(folder.Path(u"pipe"_s)).constData(), 0644) == 0 &&
          dir.mkdir(u"folder"_s) && QFile::link(u"pipe"_s, folder.Path(u"link"_s)));
  const QStringList before = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
  orvane::testing::FileSizeLimit limit(4096);
  const auto result = RunTblTool({u"normalize"_s, in, folder.Path(out)});
  QCOMPARE(result.err, folder.Path(out).toUtf8() + ": " + reason + '\n');
  QCOMPARE(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
  QCOMPARE(TempFolder::Read(folder.Path(u"old.tbl"_s)), QByteArray("old"));
  struct stat info {};
  QVERIFY(stat(QFile::encodeName(folder.Path(u"pipe"_s)).constData(), &info) == 0 &&
          S_ISFIFO(info.st_mode));
}

// A name that is not UTF-8 is read and written as given, never under the name Qt makes of it;
// through a link, the file it points to is replaced with its permission bits.
void TblToolTest::FilesAreNamedByTheCommandLineBytes() {
  TempFolder folder;
  const QByteArray in = QFile::encodeName(folder.Path(u"caf"_s)) + "\xE9.tbl";
  const QByteArray out = QFile::encodeName(folder.Path(u"out"_s)) + "\xE9.tbl";
  const QByteArray link = QFile::encodeName(folder.Path(u"link"_s));
  for (const QByteArray& name : {in, out}) close(open(name.constData(), O_CREAT, 0640));
  QCOMPARE(symlink(out.constData(), link.constData()), 0);
  auto result = orvane::tools::RunTblTool(QList<QByteArray>{"check", in});
  QCOMPARE(result.out,
           QFile::encodeName(folder.Path(u"caf"_s)) +
               "\\xE9.tbl: 0 codes, 0 longer codes, 0 special marks, 0 bookmarks, 0 extra lines, "
               "EUC-JP\n");
  QVERIFY(!orvane::tools::RunTblTool(
               QList<QByteArray>{"normalize", DataPath(u"empty.tbl"_s).toUtf8(), link})
               .exit_code);
  struct stat info {};
  QVERIFY(lstat(link.constData(), &info) == 0 && S_ISLNK(info.st_mode));
  QCOMPARE(stat(out.constData(), &info), 0);
  QCOMPARE(info.st_mode & 07777, mode_t{0640});
  QCOMPARE(info.st_size, off_t{TempFolder::Read(DataPath(u"empty.expected.tbl"_s)).size()});
  QVERIFY(!QFileInfo::exists(folder.Path(u"out\uFFFD.tbl"_s)));
  QCOMPARE(unlink(in.constData()) + unlink(out.constData()), 0);  // Qt cannot name them
}

// convert once read its input twice, and waited for ever on a pipe's second opening.
void TblToolTest::ConvertReadsANamedPipeOnce() {
  TempFolder folder;
  const QByteArray pipe = QFile::encodeName(folder.Path(u"pipe"_s));
  QCOMPARE(mkfifo(pipe.constData(), 0644), 0);
  std::thread writer([&pipe] {
    const int descriptor = open(pipe.constData(), O_WRONLY);
    (void)write(descriptor, "41=\xC3\xA9\n", 6);
    close(descriptor);
  });
  const QString out = folder.Path(u"out.tbl"_s);
  const auto result = RunTblTool({u"convert"_s, QFile::decodeName(pipe), out, u"EUC-JP"_s});
  writer.join();
  QCOMPARE(TempFolder::Read(out), QByteArray("41=\xE9\r\n"));
}

void TblToolTest::BadArgumentsGiveUsage_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::newRow("none") << QStringList{};
  QTest::newRow("unknown command") << QStringList{QStringLiteral("dump"), QStringLiteral("a")};
  QTest::newRow("check without file") << QStringList{QStringLiteral("check")};
  QTest::newRow("lint two files") << QStringList{u"lint"_s, u"a"_s, u"b"_s};
  QTest::newRow("check two files")
      << QStringList{QStringLiteral("check"), QStringLiteral("a"), QStringLiteral("b")};
  QTest::newRow("normalize one file")
      << QStringList{QStringLiteral("normalize"), QStringLiteral("a")};
  QTest::newRow("show with another option") << QStringList{u"show"_s, u"-e"_s, u"UTF-8"_s, u"a"_s};
  QTest::newRow("convert --from without a target")
      << QStringList{u"convert"_s, u"--from"_s, u"UTF-8"_s, u"a"_s, u"b"_s};
  QTest::newRow("an option twice") << QStringList{u"convert"_s, u"--keep-layout"_s, u"a"_s, u"b"_s,
                                                  u"UTF-8"_s,   u"--keep-layout"_s};
  QTest::newRow("show with both names of its option")
      << QStringList{u"show"_s, u"--encoding"_s, u"UTF-8"_s, u"a"_s, u"--from"_s, u"UTF-8"_s};
  QTest::newRow("an option a command does not take")
      << QStringList{u"check"_s, u"--encoding"_s, u"UTF-8"_s, u"a"_s};
}

void TblToolTest::BadArgumentsGiveUsage() {
  QFETCH(QStringList, arguments);
  const auto result = RunTblTool(arguments);
  QCOMPARE(result.exit_code, 2);
  QCOMPARE(result.out, QByteArray());
  QVERIFY(result.err.contains("usage: orvane-tbl check FILE\n"));
  // The reason, when there is one, comes first on a line of its own.
  QVERIFY(result.err.startsWith("usage:") || result.err.startsWith("orvane-tbl: "));
}

void TblToolTest::ProgramReportsThroughExitCodeAndStreams() {
  TempFolder folder;
  const QString bad = folder.Write(QStringLiteral("bad.tbl"), "\xFE\xFF\xDC");
  struct Run {
    QStringList arguments;
    int exit_code;
    QByteArray err;
    QByteArray out = {};
    QByteArray in = {};  // standard input
  };
  const QByteArray usage = RunTblTool(QStringList{}).err;
  const QByteArray table = "42=B\n41=A\n";
  const QByteArray summary =
      "-: 2 codes, 0 longer codes, 0 special marks, 0 bookmarks, 0 extra lines, EUC-JP\n";
  for (const Run& run :
       {Run{{}, 2, usage},
        Run{{u"check"_s, bad},
            1,
            bad.toLocal8Bit() + ": not valid UTF-16 from line 1 on (byte 2)\n"},
        Run{{u"--version"_s}, 0, {}, QByteArray("orvane-tbl ") + orvane::kFullVersion + '\n'},
        Run{{u"check"_s, QString()}, 1, ": No such file or directory\n"},  // and no Qt warning
        Run{{u"convert"_s, u"a"_s, u"b"_s, u"SJIS"_s},
            2,
            "orvane-tbl: unknown encoding 'SJIS'; known encodings: EUC-JP, Shift-JIS, UTF-8, "
            "Windows-1252 (any letter case)\n"},
        Run{{u"check"_s, u"-"_s}, 0, {}, summary, table},
        Run{{u"lint"_s, u"-"_s}, 0, {}, "-: nothing found\n", table},
        Run{{u"lint"_s, bad},
            1,
            bad.toLocal8Bit() + ": not valid UTF-16 from line 1 on (byte 2)\n"},
        Run{{u"lint"_s, u"-"_s},
            1,
            {},
            "-:1: 41 and 42 both read A; A is written as 41: 42 is never written (also line 2)\n"
            "-:3: code 43 is defined again on line 4\n"
            "-: 2 findings: Texts several codes share 1, Lines defined again 1\n",
            "41=A\n42=A\n43=C\n43=D\n"},
        // A table's text never reaches the terminal as an escape sequence.
        Run{{u"lint"_s, u"-"_s},
            1,
            {},
            "-:1: 41 and 42 both read \xE2\x90\x9B[2J; \xE2\x90\x9B[2J is written as 41: 42 is "
            "never written (also line 2)\n-: 1 finding: Texts several codes share 1\n",
            "41=\x1B[2J\n42=\x1B[2J\n"},
        Run{{u"normalize"_s, u"-"_s, u"-"_s}, 0, {}, "41=A\r\n42=B\r\n", table},
        Run{{u"encode"_s, folder.Write(u"ab.tbl"_s, table), u"--file"_s, u"-"_s},
            0,
            {},
            "41 42 41\n",
            "ABA\n"}}) {
    QProcess process;
    process.start(QStringLiteral(ORVANE_TBL_PROGRAM), run.arguments);
    process.write(run.in);
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), run.exit_code);
    QCOMPARE(process.readAllStandardError(), run.err);
    QCOMPARE(process.readAllStandardOutput(), run.out);
  }
}

void TblToolTest::HelpGivesTheCommands() {
  const auto result = RunTblTool({u"--help"_s});
  QCOMPARE(result.exit_code, 0);
  QCOMPARE(result.err, QByteArray());
  for (const char* command : {"check FILE", "normalize IN OUT",
                              "convert [--from ENCODING] [--keep-layout] IN OUT ENCODING",
                              "show [--encoding ENCODING | --from ENCODING] FILE"}) {
    QVERIFY2(result.out.contains(command), command);
  }
}

void TblToolTest::ConvertRewritesTheTableOrNamesTheLines() {
  TempFolder folder;
  const QString in = folder.Write(u"in.tbl"_s, "\xEF\xBB\xBFs: \xE3\x81\x82\n41=\xE3\x82\xAB\n");
  const QString out = folder.Path(u"out.tbl"_s);
  auto result = RunTblTool({u"convert"_s, in, out, u"shift-jis"_s});
  QCOMPARE(result.exit_code, 0);
  QCOMPARE(result.err, QByteArray());
  // Written plainly in the new encoding: the mark is gone.
  QCOMPARE(TempFolder::Read(out), QByteArray("s: \x82\xA0\r\n41=\x83\x4A\r\n"));
  result = RunTblTool({u"convert"_s, u"--keep-layout"_s, in, out, u"shift-jis"_s});
  QCOMPARE(TempFolder::Read(out), QByteArray("s: \x82\xA0\n41=\x83\x4A\n"));  // the file's own ends

  const QString german = folder.Write(u"de.tbl"_s, "41=\xC3\x84\n42=B\n43=\xC3\x9F\xC3\x84\n");
  const QString kept = folder.Write(u"kept.tbl"_s, "old");
  const QByteArray file = german.toLocal8Bit();
  result = RunTblTool({u"convert"_s, german, kept, u"Shift-JIS"_s});
  QCOMPARE(result.exit_code, 1);
  QCOMPARE(result.err, file + ":1: cannot be written in Shift-JIS: '\xC3\x84'\n" + file +
                           ":3: cannot be written in Shift-JIS: '\xC3\x9F'\n");
  // As single bytes, ß and Ä make one EUC-JP pair: the file would read back as a kanji.
  result = RunTblTool({u"convert"_s, german, kept, u"EUC-JP"_s});
  QCOMPARE(result.exit_code, 1);
  QCOMPARE(result.err, file + ":3: cannot be written in EUC-JP: '\xC3\x9F\xC3\x84'\n");
  QCOMPARE(TempFolder::Read(kept), QByteArray("old"));
  // A line a later one replaces: the canonical form leaves it out, so it stops nothing; the
  // file's own layout keeps it, so it is converted or refused, never left in the old encoding.
  const QString replaced = folder.Write(u"re.tbl"_s, "41=\xC3\x84\n41=A\n42=\xC2\xB0\n");
  const QByteArray defined_again =
      replaced.toUtf8() + ":1: warning: code 41 is defined again on line 2\n";
  result = RunTblTool({u"convert"_s, replaced, kept, u"Shift-JIS"_s});
  QCOMPARE(result.exit_code, 0);
  QCOMPARE(result.err, defined_again);
  QCOMPARE(TempFolder::Read(kept), QByteArray("41=A\r\n42=\x81\x8B\r\n"));
  result = RunTblTool({u"convert"_s, u"--keep-layout"_s, replaced, kept, u"Windows-1252"_s});
  QCOMPARE(result.exit_code, 0);
  QCOMPARE(TempFolder::Read(kept), QByteArray("41=\xC4\n41=A\n42=\xB0\n"));
  result = RunTblTool({u"convert"_s, u"--keep-layout"_s, replaced, kept, u"Shift-JIS"_s});
  QCOMPARE(result.exit_code, 1);
  QCOMPARE(result.err,
           defined_again + replaced.toUtf8() + ":1: cannot be written in Shift-JIS: '\xC3\x84'\n");
}

// Counterparts written, a detection overridden, bytes that read back as another encoding.
void TblToolTest::ConvertSaysWhatItWritesOtherwise() {
  TempFolder folder;
  const QString in = folder.Write(u"in.tbl"_s, "41=\xE3\x80\x9C\xE3\x80\x9C\n42=\xC2\xA2\n");
  const QString out = folder.Path(u"out.tbl"_s);
  auto result = RunTblTool({u"convert"_s, in, out, u"Shift-JIS"_s});
  QCOMPARE(result.exit_code, 0);
  const QByteArray file = in.toLocal8Bit();
  QCOMPARE(QString::fromUtf8(result.err), QString::fromUtf8(file + ":1: '〜' written as '～'\n" +
                                                            file + ":2: '¢' written as '￠'\n"));
  QCOMPARE(TempFolder::Read(out), QByteArray("41=\x81\x60\x81\x60\r\n42=\x81\x91\r\n"));

  // Read as UTF-8 by its lines, or as the user says.
  const QString latin = folder.Write(u"latin.tbl"_s, "; Ren\xE9\r\n91=\xC3\xA1\r\n92=\xC3\xA9\r\n");
  result = RunTblTool({u"convert"_s, u"--from"_s, u"windows-1252"_s, latin, out, u"UTF-8"_s});
  QCOMPARE(result.exit_code, 0);
  QCOMPARE(TempFolder::Read(out), QByteArray("; Ren\xC3\xA9\r\n91=\xC3\x83\xC2\xA1\r\n"
                                             "92=\xC3\x83\xC2\xA9\r\n"));
  result = RunTblTool({u"convert"_s, latin, out, u"UTF-8"_s});
  QCOMPARE(result.err, latin.toLocal8Bit() + ":1: warning: not valid UTF-8\n" +
                           latin.toLocal8Bit() + ":1: cannot be read as UTF-8\n");

  // Two Latin-1 letters are also a kanji: the result reads back as Windows-1252.
  const QString kanji = folder.Write(u"kanji.tbl"_s, "41=\xE6\xBC\xA2\n");
  result = RunTblTool({u"convert"_s, kanji, out, u"EUC-JP"_s});
  QCOMPARE(result.exit_code, 0);
  QCOMPARE(TempFolder::Read(out), QByteArray("41=\xB4\xC1\r\n"));
  QCOMPARE(result.err, QByteArray());
  result =
      RunTblTool({u"convert"_s, folder.Write(u"k2.tbl"_s, "41=\xE7\x9D\x80\n"), out, u"EUC-JP"_s});
  QCOMPARE(TempFolder::Read(out), QByteArray("41=\xC3\xE5\r\n"));  // 着, or ÃÅ
  QCOMPARE(result.err, out.toLocal8Bit() +
                           ": warning: these bytes cannot tell EUC-JP from Windows-1252 and are "
                           "read back as Windows-1252; read them with --from EUC-JP\n");
}

void TblToolTest::CheckWarnsOfLinesNotValidInTheEncoding() {
  TempFolder folder;
  // A JIS X 0212 triplet is not the format's EUC-JP; a line a later one replaces is not read.
  const QString path = folder.Write(
      u"t.tbl"_s, "41=\xA4\xA2\r\n42=\x8F\xB0\xA1\r\n43=\x81\r\n43=\xA4\xAB\r\n; \x81\r\n");
  const auto result = RunTblTool({u"check"_s, path});
  QCOMPARE(result.exit_code, 0);
  const QByteArray file = path.toLocal8Bit();
  QCOMPARE(result.err, file + ":2: warning: not valid EUC-JP\n" + file +
                           ":3: warning: code 43 is defined again on line 4\n" + file +
                           ":5: warning: not valid EUC-JP\n");
}

void TblToolTest::ShowPrintsTheLinesAsTheEncodingReadsThem() {
  TempFolder folder;
  const QString path = folder.Write(
      u"t.tbl"_s, "; \x82\xA0\r\n41=\x83\x4A\r\n/FF=[\x82\xA9]\r\n42=\x1b\xFF\r\n(8h)\x82\xA0\r\n");
  auto result = RunTblTool({u"show"_s, path});
  QCOMPARE(result.exit_code, 0);
  // Control characters as the grid shows them: a table cannot drive the terminal.
  QCOMPARE(QString::fromUtf8(result.out), u"; あ\n41=カ\n42=\u241B\uFFFD\n/FF=[か]\n\n(8h)あ\n"_s);
  for (const QString& option : {u"--encoding"_s, u"--from"_s}) {
    result = RunTblTool({u"show"_s, option, u"windows-1252"_s, path});
    QCOMPARE(QString::fromUtf8(result.out).section(u'\n', 1, 1), u"41=\u0192J"_s);
    result = RunTblTool({u"show"_s, path, option, u"WINDOWS-1252"_s});
    QCOMPARE(QString::fromUtf8(result.out).section(u'\n', 1, 1), u"41=\u0192J"_s);
  }
  // A C1 control (CSI) or one that reorders the line has no picture: its code, which encode
  // reads back, stands for it.
  const QString csi = folder.Write(u"csi.tbl"_s, "41=\xC2\x9B\x7F\xE2\x80\xAE\r\n");
  result = RunTblTool({u"show"_s, u"--encoding"_s, u"UTF-8"_s, csi});
  QCOMPARE(QString::fromUtf8(result.out), u"41=<U+009B>\u2421<U+202E>\n"_s);
}

void TblToolTest::EveryCommandNamesAFolderAlike_data() {
  QTest::addColumn<QStringList>("arguments");  // DIR is a folder, TABLE a table
  QTest::newRow("check") << QStringList{u"check"_s, u"DIR"_s};
  QTest::newRow("lint") << QStringList{u"lint"_s, u"DIR"_s};
  QTest::newRow("normalize") << QStringList{u"normalize"_s, u"DIR"_s, u"DIR/out.tbl"_s};
  QTest::newRow("show") << QStringList{u"show"_s, u"DIR"_s};
  QTest::newRow("convert") << QStringList{u"convert"_s, u"DIR"_s, u"DIR/out.tbl"_s, u"UTF-8"_s};
  QTest::newRow("decode's table") << QStringList{u"decode"_s, u"DIR"_s, u"TABLE"_s};
  QTest::newRow("decode's data") << QStringList{u"decode"_s, u"TABLE"_s, u"DIR"_s};
  QTest::newRow("search") << QStringList{u"search"_s, u"DIR"_s, u"HERO"_s};
  QTest::newRow("encode's table") << QStringList{u"encode"_s, u"DIR"_s, u"A"_s};
  QTest::newRow("encode's text") << QStringList{u"encode"_s, u"TABLE"_s, u"--file"_s, u"DIR"_s};
}

// A folder opens as a file does and fails at its first read: that failure is reported, not
// retried, in the same words wherever the tool reads.
void TblToolTest::EveryCommandNamesAFolderAlike() {
  QFETCH(QStringList, arguments);
  TempFolder folder;
  const QString table = folder.Write(u"t.tbl"_s, "41=A\n");
  const QString dir = QFileInfo(table).path();
  arguments.replaceInStrings(u"TABLE"_s, table).replaceInStrings(u"DIR"_s, dir);
  const auto result = RunTblTool(arguments);
  QCOMPARE(result.exit_code, 1);
  QCOMPARE(result.err, dir.toUtf8() + " is a folder.\n");
  QVERIFY(!QFileInfo::exists(folder.Path(u"out.tbl"_s)));
}

// `decode ... | head`: the program stops when head goes, says nothing and exits 1.
void TblToolTest::DecodeEndsQuietlyWhenItsReaderGoes() {
  TempFolder folder;
  const QString table = folder.Write(u"t.tbl"_s, "41=A\n");
  const QString data = folder.Write(u"d.bin"_s, QByteArray(16 << 20, 'A'));
  QProcess decode;
  QProcess head;
  decode.setStandardOutputProcess(&head);
  head.start(u"head"_s, {u"-c"_s, u"20"_s});
  decode.start(QStringLiteral(ORVANE_TBL_PROGRAM), {u"decode"_s, table, data});
  QVERIFY(head.waitForFinished(30000));
  QVERIFY(decode.waitForFinished(30000));
  QCOMPARE(head.readAllStandardOutput(), QByteArray("00000000: AAAAAAAAAA"));
  QCOMPARE(decode.exitStatus(), QProcess::NormalExit);
  QCOMPARE(decode.exitCode(), 1);
  QCOMPARE(decode.readAllStandardError(), QByteArray());
}

QTEST_GUILESS_MAIN(TblToolTest)
#include "tbl_tool_test.moc"
