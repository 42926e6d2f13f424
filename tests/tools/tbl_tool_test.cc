#include "tbl_tool.h"

#include "support/temp_table.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

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
  void NormalizeOfBrokenFileWritesNothing();
  void NormalizeReportsSaveFailure();
  void BadArgumentsGiveUsage_data();
  void BadArgumentsGiveUsage();
  void ProgramReportsThroughExitCodeAndStreams();
  void HelpGivesTheCommands();
  void ConvertRewritesTheTableOrNamesTheLines();
  void ConvertSaysWhatItWritesOtherwise();
  void CheckWarnsOfLinesNotValidInTheEncoding();
  void ShowPrintsTheLinesAsTheEncodingReadsThem();
};

void TblToolTest::NormalizeWritesCanonicalBytes() {
  TempFolder folder;
  const QString out = folder.Path(QStringLiteral("out.tbl"));
  const auto result =
      RunTblTool({QStringLiteral("normalize"), DataPath(QStringLiteral("every_form.tbl")), out});
  QCOMPARE(result.exit_code, 0);
  QCOMPARE(result.err, QByteArray());
  QCOMPARE(TempFolder::Read(out),
           TempFolder::Read(DataPath(QStringLiteral("every_form.expected.tbl"))));
}

void TblToolTest::CheckSummarizesTable() {
  const QString path = DataPath(QStringLiteral("every_form.tbl"));
  const auto result = RunTblTool({QStringLiteral("check"), path});
  QCOMPARE(result.exit_code, 0);
  QCOMPARE(result.out,
           path.toLocal8Bit() + ": 8 codes, 2 special marks, 6 bookmarks, 5 extra lines, EUC-JP\n");
  const QByteArray file = path.toLocal8Bit();
  QCOMPARE(result.err, file + ":2: warning: code 41 is defined again on line 3\n" + file +
                           ":5: warning: code 42 has no text\n" + file +
                           ":6: warning: code 00 is defined again on line 7\n");
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
  const QString path = folder.Path(QStringLiteral("missing.tbl"));
  const auto result = RunTblTool({QStringLiteral("check"), path});
  QCOMPARE(result.exit_code, 1);
  QCOMPARE(result.err, path.toLocal8Bit() + ": No such file or directory\n");
}

void TblToolTest::CheckWarnsOfLinesASaveChangesAndNamesTheForm() {
  TempFolder folder;
  const QString path =
      folder.Write(QStringLiteral("t.tbl"),
                   "\xEF\xBB\xBF; ====\n4G=x\n27=\xFF\n27=b\nA4=\n/ff=[end]\ncaf\xE9\n");
  const auto result = RunTblTool({QStringLiteral("check"), path});
  QCOMPARE(result.exit_code, 0);
  const QByteArray file = path.toLocal8Bit();
  QCOMPARE(result.err, file + ":1: warning: kept as an extra line\n" + file +
                           ":2: warning: kept as an extra line\n" + file +
                           ":3: warning: code 27 is defined again on line 4\n" + file +
                           ":5: warning: code A4 has no text\n" + file +
                           ":7: warning: not valid UTF-8\n");
  QCOMPARE(result.out,
           file + ": 2 codes, 1 special marks, 0 bookmarks, 3 extra lines, UTF-8 with BOM\n");
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

void TblToolTest::NormalizeReportsSaveFailure() {
  TempFolder folder;
  const QString in = folder.Write(QStringLiteral("in.tbl"), "41=A\r\n");
  const QString out = folder.Path(QStringLiteral("missing/out.tbl"));
  const auto result = RunTblTool({QStringLiteral("normalize"), in, out});
  QCOMPARE(result.exit_code, 1);
  QVERIFY(result.err.startsWith(out.toLocal8Bit() + ": "));
}

void TblToolTest::BadArgumentsGiveUsage_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::newRow("none") << QStringList{};
  QTest::newRow("unknown command") << QStringList{QStringLiteral("dump"), QStringLiteral("a")};
  QTest::newRow("check without file") << QStringList{QStringLiteral("check")};
  QTest::newRow("check two files")
      << QStringList{QStringLiteral("check"), QStringLiteral("a"), QStringLiteral("b")};
  QTest::newRow("normalize one file")
      << QStringList{QStringLiteral("normalize"), QStringLiteral("a")};
  QTest::newRow("convert to an unknown encoding")
      << QStringList{u"convert"_s, u"a"_s, u"b"_s, u"SJIS"_s};
  QTest::newRow("show with an unknown encoding")
      << QStringList{u"show"_s, u"--encoding"_s, u"latin1"_s, u"a"_s};
  QTest::newRow("show with another option") << QStringList{u"show"_s, u"-e"_s, u"UTF-8"_s, u"a"_s};
  QTest::newRow("convert from an unknown encoding")
      << QStringList{u"convert"_s, u"--from"_s, u"SJIS"_s, u"a"_s, u"b"_s, u"UTF-8"_s};
  QTest::newRow("convert --from without a target")
      << QStringList{u"convert"_s, u"--from"_s, u"UTF-8"_s, u"a"_s, u"b"_s};
}

void TblToolTest::BadArgumentsGiveUsage() {
  QFETCH(QStringList, arguments);
  const auto result = RunTblTool(arguments);
  QCOMPARE(result.exit_code, 2);
  QCOMPARE(result.out, QByteArray());
  QVERIFY(result.err.startsWith("usage: orvane-tbl check FILE\n"));
}

void TblToolTest::ProgramReportsThroughExitCodeAndStreams() {
  TempFolder folder;
  const QString bad = folder.Write(QStringLiteral("bad.tbl"), "\xFE\xFF\xDC");
  struct Run {
    QStringList arguments;
    int exit_code;
    QByteArray err;
  };
  const QByteArray usage = RunTblTool({}).err;
  for (const Run& run : {Run{{}, 2, usage},
                         Run{{QStringLiteral("check"), bad},
                             1,
                             bad.toLocal8Bit() + ": not valid UTF-16 from line 1 on (byte 2)\n"}}) {
    QProcess process;
    process.start(QStringLiteral(ORVANE_TBL_PROGRAM), run.arguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), run.exit_code);
    QCOMPARE(process.readAllStandardError(), run.err);
    QCOMPARE(process.readAllStandardOutput(), QByteArray());
  }
}

void TblToolTest::HelpGivesTheCommands() {
  const auto result = RunTblTool({u"--help"_s});
  QCOMPARE(result.exit_code, 0);
  QCOMPARE(result.err, QByteArray());
  for (const char* command :
       {"check FILE", "normalize IN OUT", "convert [--from ENCODING] IN OUT ENCODING",
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
  QCOMPARE(result.err, file +
                           ":3: cannot be written in EUC-JP: '43=\xC3\x9F\xC3\x84', which "
                           "EUC-JP reads as other characters\n");
  QCOMPARE(TempFolder::Read(kept), QByteArray("old"));
  // A line a later one replaces is not converted, so it stops nothing.
  const QString replaced = folder.Write(u"re.tbl"_s, "41=\xC3\x84\n41=A\n");
  result = RunTblTool({u"convert"_s, replaced, kept, u"Shift-JIS"_s});
  QCOMPARE(result.exit_code, 0);
  QCOMPARE(TempFolder::Read(kept), QByteArray("41=A\r\n"));
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
  QCOMPARE(result.err, latin.toLocal8Bit() + ":1: cannot be read as UTF-8\n");

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
  QCOMPARE(QString::fromUtf8(result.out), u"; あ\n41=カ\n42=\x1b\uFFFD\n/FF=[か]\n\n(8h)あ\n"_s);
  for (const QString& option : {u"--encoding"_s, u"--from"_s}) {
    result = RunTblTool({u"show"_s, option, u"windows-1252"_s, path});
    QCOMPARE(QString::fromUtf8(result.out).section(u'\n', 1, 1), u"41=\u0192J"_s);
  }
}

QTEST_GUILESS_MAIN(TblToolTest)
#include "tbl_tool_test.moc"
