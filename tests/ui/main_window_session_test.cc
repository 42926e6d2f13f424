// The main window together with its side windows, driven as a person would.
#include "support/fake_answers.h"
#include "support/temp_table.h"
#include "ui/frm_orvane.h"
#include "ui/side/frm_book.h"
#include "ui/side/frm_extra.h"
#include "ui/side/side_window_host.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

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

 private:
  void Type(const QString& keys) { QTest::keyClicks(QApplication::focusWidget(), keys); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  QAction* Action(const char* name) const {
    return window_->findChild<QAction*>(QLatin1String(name));
  }
  void Focus() {
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    window_->findChild<QWidget*>(QStringLiteral("TableGrid"))->setFocus();
  }

  std::unique_ptr<testing::FakeAnswers> answers_;
  std::unique_ptr<frmOrvane> window_;
  std::unique_ptr<side::SideWindowHost> side_;
};

void MainWindowSessionTest::init() {
  answers_ = std::make_unique<testing::FakeAnswers>();
  window_ = std::make_unique<frmOrvane>(answers_.get());
  side_ = std::make_unique<side::SideWindowHost>(window_->Document(), *answers_,
                                                 [this] { return window_->Encoding(); });
  window_->SetSideWindows(side_.get());
  window_->show();
  Focus();
}

void MainWindowSessionTest::cleanup() {
  window_->Document().SetModified(false);
  side_->CloseAll();
  window_->SetSideWindows(nullptr);
  side_.reset();
  window_.reset();
  answers_.reset();
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
    Action("Toolbar1_Button5")->trigger();
    Key(Qt::Key_Right);
  }
  Type(QStringLiteral("/"));  // typed but never marked: an ordinary entry
  window_->State().SelectCode(0x10);
  Action("Toolbar1_Button8")->trigger();  // A.. from 10
  window_->State().SelectCode(0x13);
  Action("Toolbar1_Button8")->trigger();  // ...and again from 13, so 10..12 keep A B C
  for (int code = 0x13; code <= 0x2C; ++code) {
    window_->Document().SetCellText(static_cast<quint8>(code), {});
  }
  Action("mnuBook")->trigger();
  auto* book = side_->BookmarksManager();
  QVERIFY(book != nullptr);
  auto* address = book->findChild<QLineEdit*>(QStringLiteral("txtAddr"));
  auto* title = book->findChild<QLineEdit*>(QStringLiteral("txtTitle"));
  QTest::keyClicks(address, QStringLiteral("8000"));
  QTest::keyClicks(title, QStringLiteral("Intro"));
  QTest::mouseClick(book->findChild<QPushButton*>(QStringLiteral("cmdAdd")), Qt::LeftButton);

  testing::TempFolder folder;
  const QString path = folder.Path(QStringLiteral("typed.tbl"));
  answers_->QueueFile(path);
  Focus();
  Key(Qt::Key_S, Qt::ControlModifier);

  QFile expected(QStringLiteral(ORVANE_TEST_DATA "/typed_session.expected.tbl"));
  QVERIFY(expected.open(QIODevice::ReadOnly));
  QCOMPARE(testing::TempFolder::Read(path), expected.readAll());
  QVERIFY(!window_->Document().IsModified());
  QCOMPARE(window_->windowTitle(), path + QStringLiteral(" - Orvane 0.9"));
}

void MainWindowSessionTest::ManagersOpenOnceAndLeaveTheMainWindowUsable() {
  Action("mnuBook")->trigger();
  side::frmBook* first = side_->BookmarksManager();
  Action("mnuBook")->trigger();
  QCOMPARE(side_->BookmarksManager(), first);
  QCOMPARE(QApplication::topLevelWidgets().count(first), 1);
  QVERIFY(!first->isModal());
  Action("mnuExtra")->trigger();
  Action("mnuReadme")->trigger();
  Action("mnuAbout")->trigger();
  QVERIFY(side_->ExtraLinesManager() && side_->Readme() && side_->About());
  Focus();
  Type(QStringLiteral("x"));
  QCOMPARE(window_->Document().GetCellText(0), QByteArray("x"));
}

void MainWindowSessionTest::NewTableRebuildsAnOpenManager() {
  QVERIFY(window_->Document().SetBookmark(0, 0x10, "Old"));
  Action("mnuBook")->trigger();
  auto* list = side_->BookmarksManager()->findChild<QListWidget*>(QStringLiteral("lstBook"));
  QCOMPARE(list->count(), 1);
  Action("mnuNew")->trigger();
  QCOMPARE(list->count(), 0);
}

void MainWindowSessionTest::ClosingTheMainWindowClosesTheSideWindows() {
  Action("mnuBook")->trigger();
  Action("mnuExtra")->trigger();
  QVERIFY(window_->close());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(side_->BookmarksManager() == nullptr);
  QVERIFY(side_->ExtraLinesManager() == nullptr);
}

}  // namespace orvane::ui

QTEST_MAIN(orvane::ui::MainWindowSessionTest)
#include "main_window_session_test.moc"
