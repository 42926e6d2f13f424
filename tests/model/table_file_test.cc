#include "model/table_file.h"

#include "model/file_access.h"
#include "model/table_document.h"
#include "model/table_line.h"
#include "support/temp_table.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using orvane::model::LoadError;
using orvane::model::LoadTableFromBytes;
using orvane::model::LoadWarning;
using orvane::model::ReadsAsExtraLine;
using orvane::model::TableDocument;
using orvane::testing::DataPath;
using orvane::testing::TempFolder;
using orvane::text::Encoding;
using orvane::text::FileForm;

namespace {

QByteArray Numbered(const char* prefix, int count, const char* suffix) {
  QByteArray out;
  for (int i = 0; i < count; ++i) out.append(prefix).append(QByteArray::number(i)).append(suffix);
  return out;
}

}  // namespace

class TableFileTest : public QObject {
  Q_OBJECT

 private slots:
  void LoadAndSaveGivesExpectedBytes_data();
  void LoadAndSaveGivesExpectedBytes();
  void LoadStopsWithLineAndReason_data();
  void LoadStopsWithLineAndReason();
  void LinesBeforeFailureStayLoaded();
  void UnclosedAndUntitledBookmarkLinesKeptAsExtraLines();
  void ExtraLinesHaveNoLimit();
  void LoneLineFeedEndsLine();
  void LoadSendsOneReset();
  void LoadOfMissingFileNamesFileButKeepsPath();
  void FileLargerThanTheLimitIsRefused_data();
  void FileLargerThanTheLimitIsRefused();
  void SavedTablePrintsBlocksInOrder();
  void ReadsAsExtraLineAgreesWithTheReader_data();
  void ReadsAsExtraLineAgreesWithTheReader();
  void LookalikeLinesAreKeptAsExtraLines_data();
  void LookalikeLinesAreKeptAsExtraLines();
  void WarningsNameTheLinesASaveDrops();
  void MarkLabelsAreKeptAndWrittenBack();
  void FileFormIsReadAndWrittenBack_data();
  void FileFormIsReadAndWrittenBack();
  void LineThatLooksLikeAMarkStaysALine();
  void SavedBytesReadBackInTheirForm_data();
  void SavedBytesReadBackInTheirForm();
  void Utf16SaveRefusesTextsThatAreNotUtf8();
  void EncodingIsDetectedFromEveryText();
};

void TableFileTest::LoadAndSaveGivesExpectedBytes_data() {
  QTest::addColumn<QString>("name");
  for (const char* name : {"every_form", "empty", "blocks_order", "line_ends"}) {
    QTest::newRow(name) << QString::fromLatin1(name);
  }
}

// Saving the expected file again must give it back unchanged: the canonical form is stable.
void TableFileTest::LoadAndSaveGivesExpectedBytes() {
  QFETCH(QString, name);
  const QByteArray expected = TempFolder::Read(DataPath(name + QStringLiteral(".expected.tbl")));
  TempFolder folder;
  for (const QString& input :
       {name + QStringLiteral(".tbl"), name + QStringLiteral(".expected.tbl")}) {
    TableDocument document;
    const auto load = orvane::model::LoadTable(document, DataPath(input));
    QVERIFY2(!load, qPrintable(load ? load->reason : QString()));
    const QString out = folder.Path(QStringLiteral("out.tbl"));
    QVERIFY(!orvane::model::SaveTable(document, out));
    QCOMPARE(TempFolder::Read(out), expected);
    QCOMPARE(document.TablePath(), out);
  }
}

void TableFileTest::LoadStopsWithLineAndReason_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<qsizetype>("line");
  QTest::addColumn<QString>("reason");
  const auto utf16 = [](int line, int byte) {
    return QStringLiteral("not valid UTF-16 from line %1 on (byte %2)").arg(line).arg(byte);
  };
  QTest::newRow("32nd bookmark") << Numbered("(", 32, "h)b\r\n\r\n") << qsizetype{63}
                                 << QStringLiteral("more than 31 bookmarks");
  QTest::newRow("odd byte after UTF-16LE") << QByteArray(
                                                  "\xFF\xFE"
                                                  "4\0=\0A\0\n",
                                                  9)
                                           << qsizetype{0} << utf16(1, 8);
  QTest::newRow("lone high surrogate") << QByteArray(
                                              "\xFF\xFE\x00\xD8"
                                              "A\0",
                                              6)
                                       << qsizetype{0} << utf16(1, 2);
  QTest::newRow("lone low surrogate, big-endian")
      << QByteArray("\xFE\xFF\xDC\x00", 4) << qsizetype{0} << utf16(1, 2);
  QTest::newRow("lone surrogate on line 3") << QByteArray(
                                                   "\xFF\xFE"
                                                   "a\0\r\0\n\0b\0\r\0x\0\x00\xDC",
                                                   16)
                                            << qsizetype{0} << utf16(3, 14);
}

void TableFileTest::LoadStopsWithLineAndReason() {
  QFETCH(QByteArray, bytes);
  QFETCH(qsizetype, line);
  QFETCH(QString, reason);
  TableDocument document;
  const auto error = orvane::model::LoadTableFromBytes(document, bytes);
  QVERIFY(error.has_value());
  QCOMPARE(error->line, line);
  QCOMPARE(error->reason, reason);
}

void TableFileTest::LinesBeforeFailureStayLoaded() {
  TableDocument document;
  const auto error = orvane::model::LoadTableFromBytes(
      document, "41=A\r\n/00\r\n" + Numbered("(", 31, "h)b\r\n") + "s: 20\r\n(20h)c\r\n42=B\r\n");
  QVERIFY(error.has_value());
  QCOMPARE(error->line, 35);
  QCOMPARE(document.GetCellText(0x41), QByteArray("A"));
  QCOMPARE(document.GetCellText(0x00), QByteArray("/"));
  QVERIFY(document.IsSpecial(0x00));
  QCOMPARE(document.GetCellText(0x42), QByteArray());
  QCOMPARE(document.BookmarkCount(), 31);
  QCOMPARE(document.ExtraLineCount(), 1);
}

void TableFileTest::UnclosedAndUntitledBookmarkLinesKeptAsExtraLines() {
  TableDocument document;
  QVERIFY(!orvane::model::LoadTableFromBytes(document, "(label)\r\n(12h)\r\n(3h)x\r\n(12H)"));
  QCOMPARE(*document.GetExtraLine(0), QByteArray("(label)"));
  QCOMPARE(*document.GetExtraLine(1), QByteArray("(12h)"));
  QCOMPARE(*document.GetExtraLine(2), QByteArray("(12H)"));
  QCOMPARE(document.ExtraLineCount(), 3);
  // The untitled line takes no slot, so the bookmarks stay packed from slot 0.
  QCOMPARE(document.BookmarkCount(), 1);
  QCOMPARE(document.GetBookmark(0)->address, 3);
  QCOMPARE(orvane::model::TableToBytes(document),
           QByteArray("(label)\r\n(12h)\r\n(12H)\r\n\r\n(3h)x\r\n"));
}

void TableFileTest::ExtraLinesHaveNoLimit() {
  const QByteArray lines = Numbered("; note ", 40, "\r\n") + "(label)\r\n";
  TableDocument document;
  QVERIFY(!orvane::model::LoadTableFromBytes(document, lines + "41=A\r\n"));
  QCOMPARE(document.ExtraLineCount(), 41);
  QCOMPARE(orvane::model::TableToBytes(document), lines + "41=A\r\n");
}

void TableFileTest::LoneLineFeedEndsLine() {
  TableDocument document;
  QVERIFY(!orvane::model::LoadTableFromBytes(document, "41=A\n42=B\n\n(1h)t\ns\n43=C"));
  QCOMPARE(document.GetCellText(0x41), QByteArray("A"));
  QCOMPARE(document.GetCellText(0x42), QByteArray("B"));
  QCOMPARE(document.GetCellText(0x43), QByteArray("C"));
  QCOMPARE(document.GetBookmark(0)->title, QByteArray("t"));
  QCOMPARE(*document.GetExtraLine(0), QByteArray("s"));
}

void TableFileTest::LoadSendsOneReset() {
  TableDocument document;
  QSignalSpy reset(&document, &TableDocument::tableReset);
  QSignalSpy cells(&document, &TableDocument::cellChanged);
  QVERIFY(!orvane::model::LoadTable(document, DataPath(QStringLiteral("every_form.tbl"))));
  QCOMPARE(reset.count(), 1);
  QCOMPARE(cells.count(), 0);
}

void TableFileTest::LoadOfMissingFileNamesFileButKeepsPath() {
  TempFolder folder;
  for (const QString& path : {folder.Path(QStringLiteral("missing.tbl")), folder.Path({})}) {
    TableDocument document;
    const auto error = orvane::model::LoadTable(document, path);
    QVERIFY(error.has_value());
    QCOMPARE(error->line, 0);
    QVERIFY(!error->reason.isEmpty());
    QCOMPARE(document.WindowTitle(), orvane::testing::TitleFor(path));
    QCOMPARE(document.TablePath(), QStringLiteral("Unnamed"));
  }
}

void TableFileTest::FileLargerThanTheLimitIsRefused_data() {
  QTest::addColumn<qint64>("size");  // of a sparse file, which takes no room; -1: /dev/zero
  QTest::addColumn<qint64>("limit");
  QTest::newRow("at the limit") << qint64{100} << qint64{100};
  QTest::newRow("past it") << qint64{101} << qint64{100};
  QTest::newRow("a device without end") << qint64{-1} << qint64{1000};
  QTest::newRow("3 GiB, from its size") << (qint64{3} << 30) << orvane::model::kMaxTableBytes;
}

void TableFileTest::FileLargerThanTheLimitIsRefused() {
  QFETCH(qint64, size);
  QFETCH(qint64, limit);
  TempFolder folder;
  QFile file(size < 0 ? u"/dev/zero"_s : folder.Path(u"t.tbl"_s));
  QVERIFY(file.open(QIODevice::ReadWrite) && (size < 0 || file.resize(size)));
  const auto content = orvane::model::ReadFileContent(file.handle(), limit);
  QCOMPARE(std::holds_alternative<LoadError>(content), size != limit);
  if (limit != orvane::model::kMaxTableBytes) return;
  TableDocument document;
  const auto error = orvane::model::LoadTable(document, file.fileName());
  QCOMPARE(error.value_or(LoadError{}).reason, u"Larger than 1 GiB, more than any table holds"_s);
}

void TableFileTest::SavedTablePrintsBlocksInOrder() {
  TableDocument document;
  QVERIFY(document.SetBookmark(0, 0x1234, "Intro"));
  document.SetCellText(0x20, "b");
  QVERIFY(document.SetExtraLine(0, "s: 20"));
  document.SetCellText(0x00, "a");
  document.SetCellText(0x2F, "/");  // unmarked: an ordinary entry
  document.SetCellText(0x41, "A");  // marked with other text: an ordinary entry
  document.MarkSpecial(0x41);
  QVERIFY(document.SetBookmark(3, -1, "last"));
  QVERIFY(document.SetBookmark(1, 5, QByteArray()));
  QCOMPARE(orvane::model::TableToBytes(document),
           QByteArray("s: 20\r\n00=a\r\n20=b\r\n2F=/\r\n41=A\r\n\r\n(1234h)Intro\r\n"
                      "\r\n(FFFFFFFFh)last\r\n"));
}

void TableFileTest::ReadsAsExtraLineAgreesWithTheReader_data() {
  QTest::addColumn<QByteArray>("line");
  QTest::addColumn<bool>("extra");
  QTest::newRow("plain") << QByteArray("s: 20") << true;
  QTest::newRow("three digits") << QByteArray("100=x") << true;
  QTest::newRow("unclosed bookmark") << QByteArray("(label") << true;
  QTest::newRow("untitled bookmark") << QByteArray("(12h)") << true;
  QTest::newRow("code entry") << QByteArray("0A=x") << false;
  QTest::newRow("only looks like a code entry") << QByteArray("/0=x") << true;
  QTest::newRow("special") << QByteArray("/00") << false;
  QTest::newRow("only looks like a special") << QByteArray("*x") << true;
  QTest::newRow("only looks like a bookmark") << QByteArray("(zzh)x") << true;
  QTest::newRow("bookmark") << QByteArray("(1H)Intro") << false;
  QTest::newRow("line feed") << QByteArray("a\nb") << false;
  QTest::newRow("empty") << QByteArray() << false;
}

void TableFileTest::ReadsAsExtraLineAgreesWithTheReader() {
  QFETCH(QByteArray, line);
  QFETCH(bool, extra);
  QCOMPARE(ReadsAsExtraLine(line), extra);
  if (!extra) return;
  TableDocument document;
  QVERIFY(!LoadTableFromBytes(document, line + "\r\n"));
  QCOMPARE(document.GetExtraLine(0), std::optional<QByteArray>(line));
}

void TableFileTest::LookalikeLinesAreKeptAsExtraLines_data() {
  QTest::addColumn<QByteArray>("line");
  QTest::addColumn<QList<LoadWarning>>("warnings");
  const QList<LoadWarning> kept{{LoadWarning::Kind::kKeptAsExtraLine, 2, 0, 0}};
  for (const char* line :
       {"G1=x",   "4g=x",  "/0=x",           "(1=x",  "; ====",   "/",       "*0",
        "/0z",    "*=05",  "/%111001=[end]", "(h)x",  "(12g4h)x", "( 1h)x",  "(123456789h)x",
        "41 = A", " 42=B", "\t43=C",         "044=D", "4=E",      "8140 =x", "123=x"}) {
    QTest::newRow(line) << QByteArray(line) << kept;
  }
  // Codes of several bytes, a run of digits too long for a code, and a comment: no warning.
  for (const char* line :
       {"8140=x", "A4A2A4=x", "8FA2AFFF=x", "12345=x", "0123456789=x", "; 41 = A"}) {
    QTest::newRow(line) << QByteArray(line) << QList<LoadWarning>{};
  }
  QTest::newRow("NUL") << QByteArray("\x89PNG\0\x1A", 6)
                       << QList<LoadWarning>{{LoadWarning::Kind::kNulBytes, 2, 0, 0}};
}

// Lines that only look like a code, a mark or a bookmark no longer stop the load: each is kept
// verbatim, written back, and named only as a warning for `orvane-tbl check`.
void TableFileTest::LookalikeLinesAreKeptAsExtraLines() {
  QFETCH(QByteArray, line);
  QFETCH(QList<LoadWarning>, warnings);
  TableDocument document;
  QList<LoadWarning> found;
  QVERIFY(!LoadTableFromBytes(document, "41=A\r\n" + line + "\r\n", &found));
  // A code of several bytes is a code of the table, not an extra line.
  const bool code = orvane::model::ReadTableLine(line).form == orvane::model::LineForm::kCodeEntry;
  QCOMPARE(document.GetExtraLine(0), code ? std::nullopt : std::optional<QByteArray>(line));
  QCOMPARE(found, warnings);
  QCOMPARE(orvane::model::TableToBytes(document), line + "\r\n41=A\r\n");
  QVERIFY(ReadsAsExtraLine(line));
}

void TableFileTest::WarningsNameTheLinesASaveDrops() {
  TableDocument document;
  QList<LoadWarning> warnings;
  QVERIFY(!LoadTableFromBytes(
      document, "27=\xE2\x80\x99\n27='\nA4=\n/00\n00=A\n30=\n30=0\nB0=\n/B0\nB0=\n", &warnings));
  using Kind = LoadWarning::Kind;
  QCOMPARE(warnings, (QList<LoadWarning>{{Kind::kReplaced, 1, 0x27, 2},
                                         {Kind::kNoText, 3, 0xA4, 0},
                                         {Kind::kReplaced, 4, 0x00, 5},
                                         {Kind::kReplaced, 6, 0x30, 7},
                                         {Kind::kReplaced, 8, 0xB0, 9},
                                         {Kind::kReplaced, 9, 0xB0, 10},
                                         {Kind::kNoText, 10, 0xB0, 0}}));
  // The later line wins, as the format says; a mark stays on a cell a code line then names.
  QCOMPARE(document.GetCellText(0x27), QByteArray("'"));
  QCOMPARE(document.GetCellText(0x00), QByteArray("A"));
  QVERIFY(document.IsSpecial(0x00));
}

void TableFileTest::MarkLabelsAreKeptAndWrittenBack() {
  TableDocument document;
  QVERIFY(!LoadTableFromBytes(document, "/ff=[end]\n\n*00f7\n/0A\n*0b=old\n0B=B\n"));
  QVERIFY(document.IsSpecial(0xFF) && !document.IsSpecial(0x00));
  QCOMPARE(document.GetCellText(0xFF), QByteArray("/"));
  QCOMPARE(document.MarkLabel(0xFF), QByteArray("[end]"));
  // Four digits mark the two-byte code 00F7, whose line stays among the extra lines.
  const orvane::model::Code code_00f7 = *orvane::model::Code::FromHex("00F7");
  QVERIFY(document.IsSpecial(code_00f7));
  QCOMPARE(document.GetCellText(code_00f7), QByteArray("*"));
  QCOMPARE(document.MarkLabel(0x0B), QByteArray());  // a later line drops it
  QCOMPARE(orvane::model::TableToBytes(document),
           QByteArray("*00f7\r\n/0A\r\n0B=B\r\n/FF=[end]\r\n"));
}

void TableFileTest::FileFormIsReadAndWrittenBack_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<int>("form");
  QTest::addColumn<QByteArray>("cell");  // the text of code 00, in the document's bytes
  QTest::newRow("plain") << QByteArray("00=\xA4\xA2\r\n") << int(FileForm::kPlain)
                         << QByteArray("\xA4\xA2");
  // The mark is not part of the first line, so code 00 is read.
  QTest::newRow("UTF-8 mark") << QByteArray(
                                     "\xEF\xBB\xBF"
                                     "00=\xE3\x81\x82\r\n")
                              << int(FileForm::kUtf8Bom) << QByteArray("\xE3\x81\x82");
  QTest::newRow("UTF-16LE") << QByteArray(
                                   "\xFF\xFE"
                                   "0\0"
                                   "0\0=\0\x42\x30\r\0\n\0",
                                   14)
                            << int(FileForm::kUtf16Le) << QByteArray("\xE3\x81\x82");
  QTest::newRow("UTF-16BE, a pair") << QByteArray(
                                           "\xFE\xFF\0"
                                           "0\0"
                                           "0\0=\xD8\x3D\xDE\x00\0\r\0\n",
                                           16)
                                    << int(FileForm::kUtf16Be) << QByteArray("\xF0\x9F\x98\x80");
  // Without a mark: written back without one, CR LF and all.
  QTest::newRow("UTF-16LE without mark")
      << QByteArray(
             "0\0"
             "0\0=\0\x42\x30\r\0\n\0",
             12)
      << int(FileForm::kUtf16LeNoBom) << QByteArray("\xE3\x81\x82");
  QTest::newRow("UTF-16BE without mark")
      << QByteArray(
             "\0"
             "0\0"
             "0\0=\0A\x30\x42\0\r\0\n",
             14)
      << int(FileForm::kUtf16BeNoBom) << QByteArray("A\xE3\x81\x82");
}

void TableFileTest::FileFormIsReadAndWrittenBack() {
  QFETCH(QByteArray, bytes);
  QFETCH(int, form);
  QFETCH(QByteArray, cell);
  TableDocument document;
  QVERIFY(!LoadTableFromBytes(document, bytes));
  QCOMPARE(int(document.Form()), form);
  QCOMPARE(document.GetCellText(0x00), cell);
  QCOMPARE(document.ExtraLineCount(), 0);
  QCOMPARE(std::get<QByteArray>(orvane::model::FileBytes(document)), bytes);
  if (form != int(FileForm::kPlain)) QCOMPARE(document.Encoding(), Encoding::kUtf8);
}

// In a plain file, a first extra line that starts like a byte-order mark stays a line.
void TableFileTest::LineThatLooksLikeAMarkStaysALine() {
  for (const QByteArray& line : {QByteArray("\xEF\xBB\xBFx"), QByteArray("\xFF\xFE"),
                                 QByteArray("\xFE\xFF"
                                            "a")}) {
    TableDocument document;
    QVERIFY(!LoadTableFromBytes(document, "41=A\r\n" + line + "\r\n"));
    const QByteArray bytes = std::get<QByteArray>(orvane::model::FileBytes(document));
    TableDocument reloaded;
    QVERIFY(!LoadTableFromBytes(reloaded, bytes));
    QCOMPARE(reloaded.Form(), FileForm::kPlain);
    QCOMPARE(reloaded.GetExtraLine(0), std::optional<QByteArray>(line));
    QCOMPARE(std::get<QByteArray>(orvane::model::FileBytes(reloaded)), bytes);
  }
  // In UTF-16, a second mark is text: U+FEFF starts the first line and is written back.
  const QByteArray utf16(
      "\xFF\xFE\xFF\xFE"
      "x\0\r\0\n\0",
      10);
  TableDocument document;
  QVERIFY(!LoadTableFromBytes(document, utf16));
  QCOMPARE(document.GetExtraLine(0), std::optional<QByteArray>("\xEF\xBB\xBFx"));
  QCOMPARE(std::get<QByteArray>(orvane::model::FileBytes(document)), utf16);
}

void TableFileTest::SavedBytesReadBackInTheirForm_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<int>("form");  // read back after a save
  // Not UTF-16 (an odd size), but its saved line with CR LF would look like it.
  QTest::newRow("NULs, plain") << QByteArray("a\0b\0\n", 5) << int(FileForm::kPlain);
  // NULs where UTF-16's would be, but a high surrogate alone: it was never UTF-16.
  QTest::newRow("NULs, not valid UTF-16") << QByteArray(
                                                 "\xFF`\xFE"
                                                 "0\0"
                                                 "0\xD8)\xC6=\0B0=\0x\0/\0F\0F\0=\0x\0\xE1",
                                                 28)
                                          << int(FileForm::kPlain);
  // Once the repeated code lines are gone, mostly kanji: the mark keeps it UTF-16.
  const QString text = u"41=A\r\n41=A\r\n41=A\r\n41=A\r\n; 漢字漢字漢字漢字漢字漢字\r\n"_s;
  QTest::newRow("UTF-16 without mark, mostly kanji")
      << QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2)
      << int(FileForm::kUtf16Le);
}

// A save never leaves bytes that read back as another form, where a next save would break them.
void TableFileTest::SavedBytesReadBackInTheirForm() {
  QFETCH(QByteArray, bytes);
  QFETCH(int, form);
  TableDocument document;
  QVERIFY(!LoadTableFromBytes(document, bytes));
  TableDocument reloaded;
  QVERIFY(!LoadTableFromBytes(reloaded, std::get<QByteArray>(orvane::model::FileBytes(document))));
  QCOMPARE(int(reloaded.Form()), form);
  QCOMPARE(orvane::model::TableToBytes(reloaded), orvane::model::TableToBytes(document));
  QCOMPARE(std::get<QByteArray>(
               orvane::model::FileBytes(document, orvane::model::SaveLayout::kKeepFile)),
           bytes);
}

void TableFileTest::Utf16SaveRefusesTextsThatAreNotUtf8() {
  TableDocument document;
  QVERIFY(!LoadTableFromBytes(document, QByteArray("\xFF\xFE"
                                                   "A\0=\0"
                                                   "b\0",
                                                   8)));
  document.SetCellText(0x41, "\xA4\xAB");  // an EUC-JP kana typed into it
  QVERIFY(document.SetExtraLine(0, "ok"));
  QVERIFY(document.SetExtraLine(1, "\xE9t\xE9"));
  const auto bytes = orvane::model::FileBytes(document);
  QVERIFY(std::holds_alternative<orvane::model::SaveError>(bytes));
  QCOMPARE(std::get<orvane::model::SaveError>(bytes).reason,
           QStringLiteral("The file is written as UTF-16LE, which cannot hold these texts: "
                          "code 41, extra line 2"));
  TempFolder folder;
  const QString path = folder.Write(QStringLiteral("t.tbl"), "old");
  QVERIFY(orvane::model::SaveTable(document, path).has_value());
  QCOMPARE(TempFolder::Read(path), QByteArray("old"));
}

void TableFileTest::EncodingIsDetectedFromEveryText() {
  struct Row {
    QByteArray bytes;
    Encoding encoding;
  };
  for (const Row& row :
       {Row{"41=A\r\n", Encoding::kEucJp}, Row{"10=\xE3\x81\x82\r\n", Encoding::kUtf8},
        Row{"41=A\r\n\r\n(1h)\xE3\x81\x82\r\n", Encoding::kUtf8},
        Row{"41=A\r\n\r\n(1h)\xA4\xA2\xA4\xAB\r\n", Encoding::kEucJp},
        Row{"8140=\x82\xA0\r\n", Encoding::kShiftJis}, Row{"/FF=\x82\xA0\r\n", Encoding::kShiftJis},
        // A line that a later one replaces does not count.
        Row{"41=\x82\xA0\r\n41=\xE3\x81\x82\r\n", Encoding::kUtf8},
        Row{"41=\xE3\x81\x82\r\n42=\x82\xA0\r\n42=\r\n", Encoding::kUtf8}}) {
    TableDocument document;
    QVERIFY(!LoadTableFromBytes(document, row.bytes));
    QCOMPARE(document.Encoding(), row.encoding);
  }
}

QTEST_GUILESS_MAIN(TableFileTest)
#include "table_file_test.moc"
