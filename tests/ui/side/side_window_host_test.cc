#include "model/table_file.h"
#include "orvane_version.h"
#include "side_rig.h"
#include "support/temp_table.h"
#include "ui/side/frm_book.h"
#include "ui/side/frm_extra.h"
#include "ui/side/frm_ov_about.h"
#include "ui/side/frm_readme.h"

#include <QDialog>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

namespace orvane::ui::side {
namespace {

using testing::DataPath;
using testing::SideRig;

enum Which { kBook, kExtra, kReadme, kAbout };

QWidget* Show(SideRig& rig, int which) {
  SideWindowHost& host = rig.host;
  switch (which) {
    case kBook:
      host.ShowBookmarksManager();
      return host.BookmarksManager();
    case kExtra:
      host.ShowExtraLinesManager();
      return host.ExtraLinesManager();
    case kReadme:
      host.ShowReadme();
      return host.Readme();
    default:
      host.ShowAbout();
      return host.About();
  }
}

// The focusable controls in the order Tab visits them, from `first`.
QStringList TabOrder(QWidget* first) {
  QStringList names;
  QWidget* widget = first;
  do {
    if (widget->focusPolicy() & Qt::TabFocus) names << widget->objectName();
    widget = widget->nextInFocusChain();
  } while (widget != first && names.size() < 20);
  return names;
}

}  // namespace

class SideWindowHostTest : public QObject {
  Q_OBJECT

 private slots:
  void EachWindowExistsOnceAndIsMadeAnewAfterClosing_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("size");
    QTest::newRow("bookmarks") << int(kBook) << "Bookmarks Manager" << QSize(297, 176);
    QTest::newRow("extra lines") << int(kExtra) << "Extra Lines Manager" << QSize(296, 175);
    QTest::newRow("readme") << int(kReadme) << "Readme..." << QSize(530, 242);
    QTest::newRow("about") << int(kAbout) << "About Orvane..." << QSize(380, 175);
  }
  void EachWindowExistsOnceAndIsMadeAnewAfterClosing() {
    QFETCH(int, which);
    QFETCH(QString, title);
    QFETCH(QSize, size);
    SideRig rig;
    QPointer<QWidget> first = Show(rig, which);
    QVERIFY(first && first->isVisible());
    QCOMPARE(Show(rig, which), first.data());
    QCOMPARE(first->windowTitle(), title);
    QCOMPARE(first->size(), size);
    QCOMPARE(first->minimumSize(), first->maximumSize());
    QVERIFY(!first->isModal());
    QVERIFY(first->parentWidget() == nullptr);
    QVERIFY(
        !(first->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    first->close();
    QTRY_VERIFY(first.isNull());
    QWidget* second = Show(rig, which);
    QVERIFY(second != nullptr && second->isVisible());
  }

  void CloseAllClosesEveryWindow() {
    SideRig rig;
    QList<QPointer<QWidget>> windows;
    for (int which : {kBook, kExtra, kReadme, kAbout}) windows << Show(rig, which);
    rig.host.CloseAll();
    for (const auto& window : windows) QTRY_VERIFY(window.isNull());
    rig.TableReplaced();  // nothing open: nothing to rebuild
  }

  void TabVisitsTheControlsInTheirDesignedOrder_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("bookmarks") << int(kBook)
                               << testing::Texts({"cmdUpdate", "cmdAdd", "cmdDel", "cmdOk",
                                                  "txtAddr", "lstBook", "txtTitle"});
    QTest::newRow("extra lines") << int(kExtra)
                                 << testing::Texts({"lstExtra", "txtLine", "cmdUpdate", "cmdAdd",
                                                    "cmdDel", "cmdOk"});
  }
  void TabVisitsTheControlsInTheirDesignedOrder() {
    QFETCH(int, which);
    QFETCH(QStringList, order);
    SideRig rig;
    QWidget* window = Show(rig, which);
    QCOMPARE(TabOrder(window->findChild<QWidget*>(order.front())), order);
  }

  void AboutClosesOnOkEnterAndEscape_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("OK clicked") << 0;
  }
  void AboutClosesOnOkEnterAndEscape() {
    QFETCH(int, key);
    SideRig rig;
    QPointer<QWidget> about = Show(rig, kAbout);
    auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QVERIFY(ok->isDefault());
    if (key == 0) {
      QTest::mouseClick(ok, Qt::LeftButton);
    } else {
      QTest::keyClick(about, static_cast<Qt::Key>(key));
    }
    QTRY_VERIFY(about.isNull());
  }

  void AboutShowsNameVersionAndDescription() {
    SideRig rig;
    QWidget* about = Show(rig, kAbout);
    auto text = [about](const char* name) {
      return about->findChild<QLabel*>(QLatin1String(name))->text();
    };
    QCOMPARE(text("lblTitle"), QStringLiteral("Orvane"));
    QVERIFY(text("lblVersion")
                .startsWith(QStringLiteral("Version ") + QLatin1String(kFullVersion) + u' '));
    QCOMPARE(text("lblDescription"),
             QStringLiteral("Table handling tool. This program is still a beta version. The "
                            "author takes no responsibility on eventual damages given by this "
                            "software. Oh, and excuse me for my bad english :P"));
    const QPixmap picture = about->findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap();
    QVERIFY(picture.height() > 2 * picture.width());
    QVERIFY(picture.height() <= 124);
  }

  void ReadmeIsPlainAsciiInCrLfLines() {
    const QString text = ReadmeText();
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 76);
    for (const QString& line : lines) {
      QVERIFY2(line.size() <= 63, qPrintable(line));
      for (const QChar character : line) {
        QVERIFY2(character == u'\t' || (character >= u' ' && character < QChar(0x7F)),
                 qPrintable(line));
      }
    }
    QVERIFY(lines.front().startsWith(u'*') && lines[1].contains(u'\t'));
    QVERIFY(text.contains(QStringLiteral("** Notes **")));
  }

  void ReadmeIsReadOnlyAndFixedPitch() {
    SideRig rig;
    QWidget* readme = Show(rig, kReadme);
    auto* box = readme->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    QVERIFY(box->isReadOnly());
    QVERIFY(QFontInfo(box->font()).fixedPitch());
    QCOMPARE(box->toPlainText().count(u'\n'), 76);
    QTest::keyClicks(box, QStringLiteral("typed"));
    QVERIFY(!box->toPlainText().contains(QStringLiteral("typed")));
  }

  void SaveAfterManagerEditsWritesTheExpectedFile() {
    SideRig rig;
    QVERIFY(!model::LoadTable(rig.document, DataPath(QStringLiteral("side_managers.tbl"))));
    rig.window = Show(rig, kBook);
    rig.Run(QStringLiteral("s:0;txtAddr:120;u;s:1;d;txtAddr:abcdef;txtTitle:New one;+"));
    rig.window = Show(rig, kExtra);
    rig.Run(QStringLiteral("s:0;txtLine:s: 21;u;txtLine:# note;+"));
    rig.Click("cmdOk");
    const testing::TempFolder folder;
    const QString path = folder.Path(QStringLiteral("out.tbl"));
    QVERIFY(!model::SaveTable(rig.document, path));
    QFile expected(DataPath(QStringLiteral("side_managers.expected.tbl")));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(testing::TempFolder::Read(path), expected.readAll());
  }
};

}  // namespace orvane::ui::side

QTEST_MAIN(orvane::ui::side::SideWindowHostTest)
#include "side_window_host_test.moc"
