#include "commands/document_commands.h"

#include "editing/editing_state.h"
#include "editing/extra_lines_draft.h"
#include "model/hex.h"
#include "model/table_document.h"
#include "support/fake_answers.h"
#include "support/file_size_limit.h"
#include "support/temp_table.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace orvane::commands {
namespace {

using editing::Answers;
using Button = Answers::Button;
using Form = Answers::FileDialogForm;

const QString kUnnamedTitle = testing::TitleFor(QStringLiteral("Unnamed"));

// A document, its editing state and commands answered by a script.
struct Fixture {
  model::TableDocument document;
  editing::EditingState state;
  testing::FakeAnswers answers;
  editing::ExtraLinesDraft extra_lines{document};
  // Applying the rows is a step of the session's history, which sets the flag.
  DocumentCommands commands{document, state, answers, extra_lines, [this] {
                              extra_lines.Apply();
                              document.SetModified(true);
                            }};
  testing::TempFolder folder;

  // A table with one entry and the modified flag set, as after typing.
  void Edit(const QByteArray& text = "A") {
    document.SetCellText(0x41, text);
    document.SetModified(true);
  }
};

}  // namespace

class DocumentCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void NewAsksOnlyWhenModified_data();
  void NewAsksOnlyWhenModified();
  void YesWhoseSaveDidNotHappenStopsTheCommand_data();
  void YesWhoseSaveDidNotHappenStopsTheCommand();
  void NewAfterYesSavesThenEmpties();
  void OpenLoadsTheChosenFile();
  void OpenCancelledChangesNothing();
  void OpenStartsWithTheLastNameTheDialogHeld();
  void FailedLoadKeepsLinesReadAndNamesTableUnnamed_data();
  void FailedLoadKeepsLinesReadAndNamesTableUnnamed();
  void SaveOfUnnamedTableAsksForAName();
  void SaveOfUnmodifiedTableWritesNothing();
  void SaveAsThenSaveWritesTheSecondFile();
  void FailedSaveReportsAndKeepsOldFile_data();
  void FailedSaveReportsAndKeepsOldFile();
  void FailedSaveOnFileSizeLimitKeepsOldFile();
  void CloseStepFollowsTheAnswer_data();
  void CloseStepFollowsTheAnswer();
  void QuitAsksTheWindowToClose();
  void OpenAfterYesSavesThenLoads();
  void SaveReturnsTheCursorToCodeZero();
  void NewAndOpenKeepTheInputMode();
  void PendingExtraLinesAreOfferedFirst_data();
  void PendingExtraLinesAreOfferedFirst();
  void OpenNamesTheLinesASaveDrops();
  void NamesThatAreNotUtf8AreRefused_data();
  void NamesThatAreNotUtf8AreRefused();
};

void DocumentCommandsTest::NewAsksOnlyWhenModified_data() {
  QTest::addColumn<bool>("modified");
  QTest::addColumn<int>("answer");
  QTest::addColumn<bool>("cleared");
  QTest::newRow("unmodified: no question") << false << -1 << true;
  QTest::newRow("No discards") << true << int(Button::kNo) << true;
  QTest::newRow("Cancel keeps everything") << true << int(Button::kCancel) << false;
}

void DocumentCommandsTest::NewAsksOnlyWhenModified() {
  QFETCH(bool, modified);
  QFETCH(int, answer);
  QFETCH(bool, cleared);
  Fixture f;
  f.document.SetCellText(0x41, "A");
  f.document.SetModified(modified);
  f.state.SelectCode(0x41);
  if (answer >= 0) f.answers.QueueButton(static_cast<Button>(answer));
  QSignalSpy replaced(&f.commands, &DocumentCommands::tableReplaced);

  f.commands.New();

  QCOMPARE(f.answers.messages.size(), modified ? 1 : 0);
  if (modified) {
    const auto& prompt = f.answers.messages.first();
    QCOMPARE(prompt.title, QStringLiteral("Modified Table"));
    QCOMPARE(prompt.text, QStringLiteral("Current table has been modified.\r\n\r\n"
                                         "Do you want to save changes?"));
    QCOMPARE(prompt.icon, Answers::Icon::kQuestion);
    QCOMPARE(prompt.buttons, Answers::Buttons::kYesNoCancel);
  }
  QCOMPARE(f.document.GetCellText(0x41).isEmpty(), cleared);
  QCOMPARE(f.document.IsModified(), !cleared);
  QCOMPARE(f.state.CursorCode(), cleared ? quint8{0} : quint8{0x41});
  QCOMPARE(replaced.size(), cleared ? 1 : 0);
  if (cleared) QCOMPARE(f.document.WindowTitle(), kUnnamedTitle);
  QVERIFY(f.answers.dialogs.isEmpty());
}

void DocumentCommandsTest::YesWhoseSaveDidNotHappenStopsTheCommand_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<bool>("dialog_cancelled");
  for (const char* command : {"New", "Open", "Close"}) {
    QTest::addRow("%s, save dialog cancelled", command) << QString::fromLatin1(command) << true;
    QTest::addRow("%s, save failed", command) << QString::fromLatin1(command) << false;
  }
}

void DocumentCommandsTest::YesWhoseSaveDidNotHappenStopsTheCommand() {
  QFETCH(QString, command);
  QFETCH(bool, dialog_cancelled);
  Fixture f;
  f.Edit();
  f.answers.QueueButton(Button::kYes);
  if (dialog_cancelled) {
    f.answers.QueueFile(std::nullopt);
  } else {
    f.answers.QueueFile(f.folder.Path(QStringLiteral("missing/folder/t.tbl")));
    f.answers.QueueButton(Button::kOk);  // the save error
  }

  bool closes = false;  // only the close step can close
  if (command == QLatin1String("New")) f.commands.New();
  if (command == QLatin1String("Open")) f.commands.Open();
  if (command == QLatin1String("Close")) closes = f.commands.CloseStep();

  QVERIFY(f.answers.AllAnswersUsed());
  QCOMPARE(f.answers.dialogs.size(), 1);  // only the save dialog; Open never asked for a file
  QCOMPARE(f.answers.dialogs.first().form, Form::kSave);
  QCOMPARE(f.document.GetCellText(0x41), QByteArray("A"));
  QVERIFY(f.document.IsModified());
  QVERIFY(!closes);
  QCOMPARE(f.document.WindowTitle(), kUnnamedTitle);
}

void DocumentCommandsTest::NewAfterYesSavesThenEmpties() {
  Fixture f;
  f.Edit();
  const QString path = f.folder.Path(QStringLiteral("old.tbl"));
  f.answers.QueueButton(Button::kYes);
  f.answers.QueueFile(path);

  f.commands.New();

  QCOMPARE(testing::TempFolder::Read(path), QByteArray("41=A\r\n"));
  QVERIFY(f.document.GetCellText(0x41).isEmpty());
  QCOMPARE(f.document.TablePath(), QStringLiteral("Unnamed"));
  QCOMPARE(f.document.WindowTitle(), kUnnamedTitle);
  QVERIFY(!f.document.IsModified());
}

void DocumentCommandsTest::OpenLoadsTheChosenFile() {
  Fixture f;
  const QString path = f.folder.Write(QStringLiteral("t.tbl"), "s: 20\r\n41=A\r\n/00\r\n");
  f.state.SelectCode(0x30);
  f.answers.QueueFile(path);

  f.commands.Open();

  QCOMPARE(f.document.GetCellText(0x41), QByteArray("A"));
  QVERIFY(f.document.IsSpecial(0x00));
  QCOMPARE(f.document.TablePath(), path);
  QCOMPARE(f.document.WindowTitle(), testing::TitleFor(path));
  QVERIFY(!f.document.IsModified());
  QCOMPARE(f.state.CursorCode(), quint8{0});
  QVERIFY(f.answers.messages.isEmpty());
}

void DocumentCommandsTest::OpenCancelledChangesNothing() {
  Fixture f;
  f.document.SetCellText(0x41, "A");
  f.answers.QueueFile(std::nullopt);
  f.commands.Open();
  QCOMPARE(f.document.GetCellText(0x41), QByteArray("A"));
  QCOMPARE(f.document.WindowTitle(), kUnnamedTitle);

  f.Edit();
  f.answers.QueueButton(Button::kCancel);
  f.commands.Open();
  QCOMPARE(f.answers.dialogs.size(), 1);  // Cancel at the prompt shows no dialog
  QVERIFY(f.document.IsModified());
}

void DocumentCommandsTest::OpenStartsWithTheLastNameTheDialogHeld() {
  Fixture f;
  const QString first = f.folder.Write(QStringLiteral("first.tbl"), "41=A\r\n");
  const QString saved = f.folder.Path(QStringLiteral("saved.tbl"));
  f.answers.QueueFile(first);
  f.commands.Open();
  f.Edit("B");
  f.answers.QueueFile(saved);
  QVERIFY(f.commands.SaveAs());
  f.answers.QueueFile(std::nullopt);
  f.commands.Open();

  QCOMPARE(f.answers.dialogs.size(), 3);
  QCOMPARE(f.answers.dialogs[0].file_name, QString());  // empty at first
  QCOMPARE(f.answers.dialogs[1].file_name, first);      // Save As starts with the path
  QCOMPARE(f.answers.dialogs[2].file_name, saved);      // the name the dialog last held
}

void DocumentCommandsTest::FailedLoadKeepsLinesReadAndNamesTableUnnamed_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<bool>("exists");
  QTest::addColumn<QString>("expected_in_message");
  QTest::addColumn<QByteArray>("cell_41");
  QByteArray bookmarks;  // one too many
  for (int i = 0; i < 32; ++i) bookmarks += "(" + QByteArray::number(i, 16) + "h)b\r\n";
  QTest::newRow("32nd bookmark on line 34")
      << "41=A\r\n41=B\r\n" + bookmarks + "42=B\r\n"
      << true
      << QStringLiteral(
             "Line 34: more than 31 bookmarks\r\n\r\nThe lines before it were loaded "
             "into an unnamed table.\r\n\r\nA save will not write these lines:\r\n"
             "Line 1 (code 41) is replaced by line 2.")
      << QByteArray("B");
  QTest::newRow("missing file") << QByteArray() << false
                                << QStringLiteral(
                                       "No such file or directory\r\n\r\nNothing was loaded")
                                << QByteArray();
}

void DocumentCommandsTest::FailedLoadKeepsLinesReadAndNamesTableUnnamed() {
  QFETCH(QByteArray, content);
  QFETCH(bool, exists);
  QFETCH(QString, expected_in_message);
  QFETCH(QByteArray, cell_41);
  Fixture f;
  const QString previous = f.folder.Write(QStringLiteral("previous.tbl"), "30=0\r\n");
  f.answers.QueueFile(previous);
  f.commands.Open();
  const QString broken = exists ? f.folder.Write(QStringLiteral("broken.tbl"), content)
                                : f.folder.Path(QStringLiteral("gone.tbl"));
  f.answers.QueueFile(broken);
  f.answers.QueueButton(Button::kOk);

  f.commands.Open();

  QCOMPARE(f.answers.messages.size(), 1);
  const auto& message = f.answers.messages.first();
  QVERIFY2(message.text.contains(broken), qPrintable(message.text));
  QVERIFY2(message.text.contains(expected_in_message), qPrintable(message.text));
  QCOMPARE(message.icon, Answers::Icon::kExclamation);
  QCOMPARE(f.document.GetCellText(0x41), cell_41);
  QVERIFY(f.document.GetCellText(0x42).isEmpty());
  QCOMPARE(f.document.TablePath(), QStringLiteral("Unnamed"));
  QCOMPARE(f.document.WindowTitle(), kUnnamedTitle);
  QVERIFY(!f.document.IsModified());
  // A later Save asks for a name instead of overwriting the previous file.
  f.answers.QueueFile(std::nullopt);
  f.commands.Save();
  QCOMPARE(f.answers.dialogs.last().form, Form::kSave);
  QCOMPARE(testing::TempFolder::Read(previous), QByteArray("30=0\r\n"));
}

void DocumentCommandsTest::SaveOfUnnamedTableAsksForAName() {
  Fixture f;
  f.Edit();
  const QString path = f.folder.Path(QStringLiteral("named.tbl"));
  f.answers.QueueFile(path);
  f.commands.Save();
  QCOMPARE(f.answers.dialogs.first().file_name, QStringLiteral("Unnamed"));
  QCOMPARE(f.answers.dialogs.first().form, Form::kSave);
  QCOMPARE(testing::TempFolder::Read(path), QByteArray("41=A\r\n"));
  QCOMPARE(f.document.TablePath(), path);
  QVERIFY(!f.document.IsModified());

  // A cancelled Save As leaves the flag as it was.
  f.Edit("B");
  f.answers.QueueFile(std::nullopt);
  QVERIFY(!f.commands.SaveAs());
  QVERIFY(f.document.IsModified());
}

void DocumentCommandsTest::SaveOfUnmodifiedTableWritesNothing() {
  Fixture f;
  const QString path = f.folder.Write(QStringLiteral("t.tbl"), "41=A\n");
  f.answers.QueueFile(path);
  f.commands.Open();
  f.commands.Save();
  QCOMPARE(testing::TempFolder::Read(path), QByteArray("41=A\n"));  // untouched, LF kept
  QVERIFY(!f.document.IsModified());
  f.Edit("B");
  f.commands.Save();
  QCOMPARE(testing::TempFolder::Read(path), QByteArray("41=B\r\n"));
  QVERIFY(!f.document.IsModified());
  QCOMPARE(f.answers.dialogs.size(), 1);
}

void DocumentCommandsTest::SaveAsThenSaveWritesTheSecondFile() {
  Fixture f;
  const QString first = f.folder.Write(QStringLiteral("first.tbl"), "41=A\r\n");
  const QString second = f.folder.Path(QStringLiteral("second.tbl"));
  f.answers.QueueFile(first);
  f.commands.Open();
  f.answers.QueueFile(second);
  QVERIFY(f.commands.SaveAs());
  QCOMPARE(f.document.WindowTitle(), testing::TitleFor(second));
  f.Edit("Z");
  f.commands.Save();
  QCOMPARE(testing::TempFolder::Read(first), QByteArray("41=A\r\n"));
  QCOMPARE(testing::TempFolder::Read(second), QByteArray("41=Z\r\n"));
}

void DocumentCommandsTest::FailedSaveReportsAndKeepsOldFile_data() {
  QTest::addColumn<QString>("target");
  QTest::newRow("target is a folder") << QStringLiteral("folder");
  QTest::newRow("parent folder missing") << QStringLiteral("missing/t.tbl");
  QTest::newRow("target is a named pipe") << QStringLiteral("pipe");
}

void DocumentCommandsTest::FailedSaveReportsAndKeepsOldFile() {
  QFETCH(QString, target);
  Fixture f;
  QVERIFY(QDir(f.folder.Path(QString())).mkdir(QStringLiteral("folder")));
  const QByteArray pipe = QFile::encodeName(f.folder.Path(QStringLiteral("pipe")));
  QCOMPARE(mkfifo(pipe.constData(), 0644), 0);
  const QString path = f.folder.Path(target);
  f.Edit();
  f.answers.QueueFile(path);
  f.answers.QueueButton(Button::kOk);

  QVERIFY(!f.commands.SaveAs());

  QCOMPARE(f.answers.messages.size(), 1);
  QVERIFY(f.answers.messages.first().text.contains(path));
  QCOMPARE(f.answers.messages.first().icon, Answers::Icon::kExclamation);
  QCOMPARE(f.answers.messages.first().buttons, Answers::Buttons::kOk);
  QVERIFY(f.document.IsModified());
  QCOMPARE(f.document.TablePath(), QStringLiteral("Unnamed"));
  QVERIFY(QFileInfo(f.folder.Path(QStringLiteral("folder"))).isDir());
  struct stat info {};
  QCOMPARE(stat(pipe.constData(), &info), 0);
  QVERIFY(S_ISFIFO(info.st_mode));
}

void DocumentCommandsTest::FailedSaveOnFileSizeLimitKeepsOldFile() {
  Fixture f;
  const QString path = f.folder.Write(QStringLiteral("t.tbl"), "41=A\r\n");
  f.answers.QueueFile(path);
  f.commands.Open();
  for (int code = 0; code < 256; ++code) {
    f.document.SetCellText(static_cast<quint8>(code), QByteArray(64, 'x'));
  }
  f.document.SetModified(true);
  f.answers.QueueButton(Button::kOk);
  {
    testing::FileSizeLimit limit(4096);
    f.commands.Save();
  }
  QCOMPARE(f.answers.messages.size(), 1);
  QVERIFY(f.answers.messages.first().text.contains(path));
  QVERIFY(f.document.IsModified());
  QCOMPARE(testing::TempFolder::Read(path), QByteArray("41=A\r\n"));
}

void DocumentCommandsTest::CloseStepFollowsTheAnswer_data() {
  QTest::addColumn<bool>("modified");
  QTest::addColumn<int>("answer");
  QTest::addColumn<bool>("saves");
  QTest::addColumn<bool>("closes");
  QTest::newRow("unmodified closes unasked") << false << -1 << false << true;
  QTest::newRow("Cancel keeps the window") << true << int(Button::kCancel) << false << false;
  QTest::newRow("No closes without saving") << true << int(Button::kNo) << false << true;
  QTest::newRow("Yes saves, then closes") << true << int(Button::kYes) << true << true;
}

void DocumentCommandsTest::CloseStepFollowsTheAnswer() {
  QFETCH(bool, modified);
  QFETCH(int, answer);
  QFETCH(bool, saves);
  QFETCH(bool, closes);
  Fixture f;
  f.Edit();
  f.document.SetModified(modified);
  const QString path = f.folder.Path(QStringLiteral("t.tbl"));
  if (answer >= 0) f.answers.QueueButton(static_cast<Button>(answer));
  if (saves) f.answers.QueueFile(path);

  QCOMPARE(f.commands.CloseStep(), closes);

  QVERIFY(f.answers.AllAnswersUsed());
  QCOMPARE(QFile::exists(path), saves);
  QCOMPARE(f.document.GetCellText(0x41), QByteArray("A"));
}

void DocumentCommandsTest::QuitAsksTheWindowToClose() {
  Fixture f;
  f.commands.Quit();
  QCOMPARE(f.answers.close_requests, 1);
  QVERIFY(f.answers.messages.isEmpty());  // the close step asks, when the window closes
}

void DocumentCommandsTest::OpenAfterYesSavesThenLoads() {
  Fixture f;
  f.Edit();
  const QString saved = f.folder.Path(QStringLiteral("saved.tbl"));
  const QString other = f.folder.Write(QStringLiteral("other.tbl"), "42=B\r\n");
  f.answers.QueueButton(Button::kYes);
  f.answers.QueueFile(saved);
  f.answers.QueueFile(other);

  f.commands.Open();

  QVERIFY(f.answers.AllAnswersUsed());
  QCOMPARE(testing::TempFolder::Read(saved), QByteArray("41=A\r\n"));
  QVERIFY(f.document.GetCellText(0x41).isEmpty());
  QCOMPARE(f.document.GetCellText(0x42), QByteArray("B"));
  QCOMPARE(f.document.TablePath(), other);
  QVERIFY(!f.document.IsModified());
}

void DocumentCommandsTest::SaveReturnsTheCursorToCodeZero() {
  Fixture f;
  f.Edit();
  f.state.SelectCode(0x41);
  f.answers.QueueFile(f.folder.Path(QStringLiteral("t.tbl")));
  f.commands.Save();
  QCOMPARE(f.state.CursorCode(), quint8{0});
  f.Edit("B");
  f.state.SelectCode(0x41);
  f.commands.Save();  // a table with a file: no dialog
  QCOMPARE(f.state.CursorCode(), quint8{0});
}

void DocumentCommandsTest::NewAndOpenKeepTheInputMode() {
  Fixture f;
  f.state.SetInputMode(kana::InputMode::kKatakana);
  f.commands.New();
  QCOMPARE(f.state.InputMode(), kana::InputMode::kKatakana);
  f.answers.QueueFile(f.folder.Write(QStringLiteral("t.tbl"), "41=A\r\n"));
  f.commands.Open();
  QCOMPARE(f.state.InputMode(), kana::InputMode::kKatakana);
}

void DocumentCommandsTest::PendingExtraLinesAreOfferedFirst_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<int>("answer");
  for (const char* command : {"New", "Open", "Close"}) {
    for (Button answer : {Button::kYes, Button::kNo, Button::kCancel}) {
      QTest::addRow("%s, %d", command, int(answer)) << QString::fromLatin1(command) << int(answer);
    }
  }
}

// A row added in the manager after a save: the question comes first; Yes puts the row in the
// table, which the save prompt then offers to save; No drops it; Cancel stops everything.
void DocumentCommandsTest::PendingExtraLinesAreOfferedFirst() {
  QFETCH(QString, command);
  QFETCH(int, answer);
  Fixture f;
  f.extra_lines.Open();
  f.extra_lines.Add("s: 20");
  f.document.SetModified(false);  // as after Ctrl+S
  const auto button = static_cast<Button>(answer);
  f.answers.QueueButton(button);
  const QString saved = f.folder.Path(QStringLiteral("saved.tbl"));
  if (button == Button::kYes) {
    f.answers.QueueButton(Button::kYes);  // the save prompt, now that the table changed
    f.answers.QueueFile(saved);
  }
  if (command == QLatin1String("Open") && button != Button::kCancel) {
    f.answers.QueueFile(std::nullopt);
  }

  bool closes = false;
  if (command == QLatin1String("New")) f.commands.New();
  if (command == QLatin1String("Open")) f.commands.Open();
  if (command == QLatin1String("Close")) closes = f.commands.CloseStep();

  QVERIFY(f.answers.AllAnswersUsed());
  const auto& question = f.answers.messages.first();
  QCOMPARE(question.title, QStringLiteral("Extra Lines Manager"));
  QCOMPARE(question.text, QStringLiteral("The Extra Lines Manager holds lines that are not in the "
                                         "table yet. Apply them to the table?"));
  QCOMPARE(question.icon, Answers::Icon::kQuestion);
  QCOMPARE(question.buttons, Answers::Buttons::kYesNoCancel);
  QCOMPARE(f.answers.messages.size(), button == Button::kYes ? 2 : 1);
  QCOMPARE(testing::TempFolder::Read(saved), button == Button::kYes ? "s: 20\r\n"_ba : ""_ba);
  QCOMPARE(f.extra_lines.HasPendingRows(), button == Button::kCancel);
  QCOMPARE(closes, command == QLatin1String("Close") && button != Button::kCancel);
}

// Lines a save drops are named once, after opening, ten at most; kept lookalike lines are not.
void DocumentCommandsTest::OpenNamesTheLinesASaveDrops() {
  Fixture f;
  QByteArray content = "; ====\r\n27=\xE2\x80\x99\r\n27='\r\nA4=\r\n";
  for (int code = 0x30; code < 0x3B; ++code) {
    content += model::HexByte(static_cast<quint8>(code)) + "=\r\n";
  }
  content += QByteArray("\x89PNG\0\r\n", 7);
  const QString path = f.folder.Write(QStringLiteral("t.tbl"), content);
  f.answers.QueueFile(path);
  f.answers.QueueButton(Button::kOk);
  f.commands.Open();
  QCOMPARE(f.answers.messages.size(), 1);
  const auto& message = f.answers.messages.first();
  QCOMPARE(message.title, QStringLiteral("Open Table"));
  QCOMPARE(message.icon, Answers::Icon::kExclamation);
  // A file that may be no table at all is named first.
  QVERIFY2(message.text.contains(
               u"opened.\r\n\r\n\"%1\" holds bytes that table files do not hold "
               u"(NUL); it may not be a table. A save rewrites it as one.\r\n"_s.arg(path)),
           qPrintable(message.text));
  QVERIFY2(message.text.contains(
               QStringLiteral("A save will not write these lines:\r\n"
                              "Line 2 (code 27) is replaced by line 3.\r\n"
                              "Line 4 (code A4) has no text and will not be saved.\r\n"
                              "Line 5 (code 30) has no text and will not be saved.\r\n")),
           qPrintable(message.text));
  QVERIFY2(message.text.endsWith(QStringLiteral(
               "Line 12 (code 37) has no text and will not be saved.\r\n... and 3 more.")),
           qPrintable(message.text));
  QCOMPARE(f.document.ExtraLineCount(), 2);
}

void DocumentCommandsTest::NamesThatAreNotUtf8AreRefused_data() {
  QTest::addColumn<int>("dialog");  // -1: named on the command line or dropped
  QTest::newRow("given") << -1;
  QTest::newRow("open dialog") << int(Form::kOpen);
  QTest::newRow("save dialog") << int(Form::kSave);
}

// Qt reads "caf\xE9.tbl" as "caf\uFFFD.tbl", another name: nothing is opened or written.
void DocumentCommandsTest::NamesThatAreNotUtf8AreRefused() {
  QFETCH(int, dialog);
  Fixture f;
  f.Edit();
  const QByteArray name = QFile::encodeName(f.folder.Path(u"caf"_s)) + "\xE9.tbl";
  QCOMPARE(close(open(name.constData(), O_CREAT, 0644)), 0);
  if (dialog == int(Form::kOpen)) f.answers.QueueButton(Button::kNo);  // the save prompt
  f.answers.QueueButton(Button::kOk);
  f.answers.QueueFile(QFile::decodeName(name));
  if (dialog < 0) f.commands.OpenFile(name);
  if (dialog == int(Form::kOpen)) f.commands.Open();
  if (dialog == int(Form::kSave)) QVERIFY(!f.commands.SaveAs());
  QVERIFY(f.answers.messages.last().text.contains(u"caf\\xE9.tbl\" is not UTF-8"_s));
  QCOMPARE(f.document.GetCellText(0x41), QByteArray("A"));
  QVERIFY(!QFileInfo::exists(QFile::decodeName(name)));
  QCOMPARE(unlink(name.constData()), 0);  // Qt's folder cannot remove what it cannot name
}

}  // namespace orvane::commands

QTEST_GUILESS_MAIN(orvane::commands::DocumentCommandsTest)
#include "document_commands_test.moc"
