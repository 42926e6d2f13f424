// The main window together with its side windows, driven as a person would.
#include "support/temp_table.h"
#include "support/ui_rig.h"
#include "ui/side/frm_book.h"
#include "ui/side/frm_extra.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace orvane::ui {

class MainWindowSessionTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void TypedRowMarksFillAndBookmarkAreSavedByteForByte();
  void ManagersOpenOnceAndLeaveTheMainWindowUsable();
  void NewTableRebuildsAnOpenManager();
  void ClosingTheMainWindowClosesTheSideWindows();
  void QuitOffersTheManagersRowsAfterASave();
  void KeepLayoutIsRememberedAndDecidesTheSave();
  void DroppedFileOpensAsOpenWould_data();
  void DroppedFileOpensAsOpenWould();

 private:
  void Type(const QString& keys) { QTest::keyClicks(QApplication::focusWidget(), keys); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  void Trigger(const char* name) const { rig_->Trigger(name); }
  void Focus() { rig_->Focus(); }

  std::unique_ptr<testing::WindowRig> rig_;
};

void MainWindowSessionTest::init() { rig_ = std::make_unique<testing::WindowRig>(); }

void MainWindowSessionTest::cleanup() {
  rig_.reset();
  QSettings(u"Orvane"_s, u"Orvane"_s).remove(u"KeepFileLayout"_s);  // in Qt's test folder
}

void MainWindowSessionTest::TypedRowMarksFillAndBookmarkAreSavedByteForByte() {
  Key(Qt::Key_H, Qt::ControlModifier);
  for (const char* syllable : {"a", "i", "u", "e", "o", "na"}) {
    Type(QLatin1String(syllable));
    Key(Qt::Key_Right);
  }
  Key(Qt::Key_K, Qt::ControlModifier);
  Type(QStringLiteral("no"));
  Key(Qt::Key_Right);
  Key(Qt::Key_A, Qt::ControlModifier);
  for (const char* mark : {"/", "*"}) {
    Type(QLatin1String(mark));
    Trigger("Toolbar1_Button5");
    Key(Qt::Key_Right);
  }
  Type(QStringLiteral("/"));  // typed but never marked: an ordinary entry
  rig_->State().SelectCode(0x10);
  Trigger("Toolbar1_Button8");  // A.. from 10
  rig_->State().SelectCode(0x13);
  Trigger("Toolbar1_Button8");  // ...and again from 13, so 10..12 keep A B C
  for (int code = 0x13; code <= 0x2C; ++code) {
    rig_->Document().SetCellText(static_cast<quint8>(code), {});
  }
  Trigger("mnuBook");
  auto* book = rig_->side.BookmarksManager();
  QVERIFY(book != nullptr);
  auto* address = book->findChild<QLineEdit*>(QStringLiteral("txtAddr"));
  auto* title = book->findChild<QLineEdit*>(QStringLiteral("txtTitle"));
  QTest::keyClicks(address, QStringLiteral("8000"));
  QTest::keyClicks(title, QStringLiteral("Intro"));
  QTest::mouseClick(book->findChild<QPushButton*>(QStringLiteral("cmdAdd")), Qt::LeftButton);

  testing::TempFolder folder;
  const QString path = folder.Path(QStringLiteral("typed.tbl"));
  rig_->answers.QueueFile(path);
  Focus();
  Key(Qt::Key_S, Qt::ControlModifier);

  QCOMPARE(
      testing::TempFolder::Read(path),
      testing::TempFolder::Read(testing::DataPath(QStringLiteral("typed_session.expected.tbl"))));
  QVERIFY(!rig_->Document().IsModified());
  QCOMPARE(rig_->window.windowTitle(), testing::TitleFor(path));
}

void MainWindowSessionTest::ManagersOpenOnceAndLeaveTheMainWindowUsable() {
  Trigger("mnuBook");
  side::frmBook* first = rig_->side.BookmarksManager();
  Trigger("mnuBook");
  QCOMPARE(rig_->side.BookmarksManager(), first);
  QCOMPARE(QApplication::topLevelWidgets().count(first), 1);
  QVERIFY(!first->isModal());
  Trigger("mnuExtra");
  Trigger("mnuReadme");
  Trigger("mnuAbout");
  QVERIFY(rig_->side.ExtraLinesManager() && rig_->side.Readme() && rig_->side.About());
  Focus();
  Type(QStringLiteral("x"));
  QCOMPARE(rig_->Document().GetCellText(0), QByteArray("x"));
}

void MainWindowSessionTest::NewTableRebuildsAnOpenManager() {
  QVERIFY(rig_->Document().SetBookmark(0, 0x10, "Old"));
  Trigger("mnuBook");
  auto* list = rig_->side.BookmarksManager()->findChild<QListWidget*>(QStringLiteral("lstBook"));
  QCOMPARE(list->count(), 1);
  Trigger("mnuNew");
  QCOMPARE(list->count(), 0);
}

void MainWindowSessionTest::ClosingTheMainWindowClosesTheSideWindows() {
  Trigger("mnuBook");
  Trigger("mnuExtra");
  QVERIFY(rig_->window.close());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(rig_->side.BookmarksManager() == nullptr);
  QVERIFY(rig_->side.ExtraLinesManager() == nullptr);
}

// A row added in the Extra Lines Manager, Ctrl+S, Ctrl+Q: the save cleared the flag, but the
// row is not in the table yet, so Quit offers it first, then asks to save the table it changed.
void MainWindowSessionTest::QuitOffersTheManagersRowsAfterASave() {
  testing::TempFolder folder;
  const QString path = folder.Path(QStringLiteral("t.tbl"));
  Type(QStringLiteral("A"));
  Trigger("mnuExtra");
  side::frmExtra* manager = rig_->side.ExtraLinesManager();
  QTest::keyClicks(manager->findChild<QLineEdit*>(QStringLiteral("txtLine")),
                   QStringLiteral("s: 20"));
  QTest::mouseClick(manager->findChild<QPushButton*>(QStringLiteral("cmdAdd")), Qt::LeftButton);
  Focus();
  rig_->answers.QueueFile(path);
  Key(Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(testing::TempFolder::Read(path), QByteArray("00=A\r\n"));
  QVERIFY(!rig_->Document().IsModified());

  rig_->answers.QueueButton(editing::Answers::Button::kYes);  // apply the rows
  rig_->answers.QueueButton(editing::Answers::Button::kYes);  // save the table
  rig_->answers.QueueFile(path);
  QVERIFY(rig_->window.close());  // what Ctrl+Q's close request runs

  QVERIFY(rig_->answers.AllAnswersUsed());
  QCOMPARE(rig_->answers.messages[0].title, QStringLiteral("Extra Lines Manager"));
  QCOMPARE(rig_->answers.messages[1].title, QStringLiteral("Modified Table"));
  QCOMPARE(testing::TempFolder::Read(path), QByteArray("s: 20\r\n00=A\r\n"));
}

// The one setting: remembered between runs, and what a save writes follows it.
void MainWindowSessionTest::KeepLayoutIsRememberedAndDecidesTheSave() {
  testing::TempFolder folder;
  const QString path = folder.Write(u"t.tbl"_s, "0a=x\n; note\n41=A");
  rig_->Trigger("mnuLayout");
  rig_.reset();
  rig_ = std::make_unique<testing::WindowRig>();  // the next run
  QVERIFY(rig_->Action("mnuLayout")->isChecked());
  rig_->answers.QueueFile(path);
  rig_->Trigger("mnuOpen");
  rig_->State().SelectCode(0x0A);
  Focus();
  QTest::keyClicks(QApplication::focusWidget(), u"y"_s);
  rig_->Trigger("mnuSave");
  QCOMPARE(testing::TempFolder::Read(path), QByteArray("0a=xy\n; note\n41=A"));
  rig_->Trigger("mnuLayout");
  rig_->State().SelectCode(0x0A);  // a save put the cursor on 00
  QTest::keyClicks(QApplication::focusWidget(), u"z"_s);
  rig_->Trigger("mnuSave");
  QCOMPARE(testing::TempFolder::Read(path), QByteArray("; note\r\n0A=xyz\r\n41=A\r\n"));
}

void MainWindowSessionTest::DroppedFileOpensAsOpenWould_data() {
  QTest::addColumn<QStringList>("urls");  // "{file}" is the table made by the test
  QTest::addColumn<bool>("opens");
  QTest::addColumn<bool>("refused");  // taken, and refused with a message
  QTest::newRow("a local file") << QStringList{QStringLiteral("{file}")} << true << false;
  QTest::newRow("several: the first")
      << QStringList{QStringLiteral("{file}"), QStringLiteral("file:///nowhere.tbl")} << true
      << false;
  QTest::newRow("not a local file")
      << QStringList{QStringLiteral("https://example.invalid/t.tbl")} << false << false;
  QTest::newRow("no file at all") << QStringList{} << false << false;
  QTest::newRow("a folder") << QStringList{QStringLiteral("{folder}")} << false << false;
  QTest::newRow("a name that is not UTF-8")
      << QStringList{QStringLiteral("file:///tmp/caf%E9.tbl")} << false << true;
}

void MainWindowSessionTest::DroppedFileOpensAsOpenWould() {
  QFETCH(QStringList, urls);
  QFETCH(bool, opens);
  QFETCH(bool, refused);
  testing::TempFolder folder;
  const QString path = folder.Write(QStringLiteral("dropped.tbl"), "41=A\r\n");
  QMimeData data;
  QList<QUrl> list;
  for (const QString& url : urls) {
    if (url == QLatin1String("{file}")) {
      list << QUrl::fromLocalFile(path);
    } else if (url == QLatin1String("{folder}")) {
      list << QUrl::fromLocalFile(folder.Path({}));
    } else {
      list << QUrl(url);
    }
  }
  data.setUrls(list);
  if (urls.isEmpty()) data.setText(QStringLiteral("41=A"));
  rig_->Document().SetModified(true);
  if (opens) rig_->answers.QueueButton(editing::Answers::Button::kNo);  // the save prompt
  if (refused) rig_->answers.QueueButton(editing::Answers::Button::kOk);
  const QPoint centre = rig_->window.rect().center();
  QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&rig_->window, &enter);
  QCOMPARE(enter.isAccepted(), opens || refused);
  QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&rig_->window, &drop);
  QCoreApplication::processEvents();
  QCOMPARE(rig_->Document().GetCellText(0x41), opens ? QByteArray("A") : QByteArray());
  QCOMPARE(rig_->window.windowTitle() == testing::TitleFor(path), opens);
  QVERIFY(rig_->answers.AllAnswersUsed());
  if (refused) {
    QVERIFY(rig_->answers.messages.last().text.contains(QStringLiteral("\"/tmp/caf\\xE9.tbl\"")));
  }
}

}  // namespace orvane::ui

QTEST_MAIN(orvane::ui::MainWindowSessionTest)
#include "main_window_session_test.moc"
