// The Game Data window on a data file the test makes: strings of a made-up table written into
// random bytes, read as the table is edited, found, and read alike by orvane-tbl.
#include "ui/side/frm_data.h"

#include "side_rig.h"
#include "support/temp_table.h"
#include "support/ui_rig.h"
#include "tbl_tool.h"
#include "ui/side/hex_view.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace orvane::ui::side {
namespace {

// Letters on 10.. without O (1E), a space, marks, a kanji of two bytes; the file is UTF-8.
const QByteArray kTable =
    "10=A\n11=B\n12=C\n13=D\n14=E\n15=F\n16=G\n17=H\n18=I\n19=J\n1A=K\n1B=L\n1C=M\n1D=N\n"
    "1F=P\n20=Q\n21=R\n22=S\n23=T\n24=U\n25=V\n26=W\n27=X\n28=Y\n29=Z\n2A= \n/FF=[end]\n*FE\n"
    "8840=\xE6\xBC\xA2\n";
constexpr qint64 kDataSize = 0x1000;

// 4 KB of random bytes holding strings at 100, 180 and 300, each after an end mark.
QByteArray DataBytes() {
  QByteArray data(kDataSize, Qt::Uninitialized);
  QRandomGenerator random(19);
  for (char& byte : data) byte = static_cast<char>(random.bounded(256));
  const auto put = [&data](qint64 at, const QByteArray& hex) {
    const QByteArray bytes = QByteArray::fromHex("ff" + hex);
    data.replace(at - 1, bytes.size(), bytes);
  };
  put(0x100, "17141b1b1e2a261e211b13ff");          // HELLO WORLD[end]
  put(0x180, "231714ff");                          // THE[end]
  put(0x300, "1610 1c14 2a1e 2514 21fe 8840 ff");  // GAME OVER<LINE>漢[end]
  data[kDataSize - 1] = '\x1E';                    // O, and a control code the end cuts
  return data;
}

}  // namespace

class FrmDataTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() {
    rig_.reset();
    QSettings(u"Orvane"_s, u"Orvane"_s).remove(u"RecentDataFiles"_s);  // in Qt's test folder
  }
  void ReadsTheStringsAsTheTableIsEditedAndFindsThem();
  void BadInputGetsAClearMessage_data();
  void BadInputGetsAClearMessage();
  void NoticesAFileChangedOnDiskAndReloads();
  void FindRunsOffTheWindowAndStopsWithIt();
  void ReopensWhereItWasAndOffersTheLastFiles();

 private:
  template <typename T>
  T* Get(const char* name) const {
    return testing::Child<T>(window_, name);
  }
  void OpenData(const QString& path) {
    rig_->answers.QueueFile(path);
    QTest::mouseClick(Get<QPushButton>("cmdOpen"), Qt::LeftButton);
  }
  void Retype(const char* box, const QString& text) {
    testing::SideRig::Retype(Get<QLineEdit>(box), text);
  }
  void GoTo(const QString& offset) {
    Retype("txtGoTo", offset);
    QTest::keyClick(Get<QLineEdit>("txtGoTo"), Qt::Key_Return);
  }
  // Clicks Find and waits for it to end.
  void Find() {
    QSignalSpy finished(window_, &frmData::findFinished);
    QTest::mouseClick(Get<QPushButton>("cmdFind"), Qt::LeftButton);
    QVERIFY(!finished.isEmpty() || finished.wait(60000));
  }
  // The recent data files as the Recent button lists them.
  QStringList RecentFiles() const {
    QStringList files;
    for (const QAction* item : Get<QToolButton>("cmdRecent")->menu()->actions()) {
      files << item->data().toString();
    }
    return files;
  }
  void ChooseRecent(const QString& path) {
    for (QAction* item : Get<QToolButton>("cmdRecent")->menu()->actions()) {
      if (item->data().toString() == path) return item->trigger();
    }
    QFAIL(qPrintable(u"not in the recent files: "_s + path));
  }
  QString FirstString() const {
    return window_->findChild<QPlainTextEdit*>(u"txtStrings"_s)->toPlainText().section(u'\n', 0, 0);
  }

  std::unique_ptr<testing::WindowRig> rig_;
  testing::TempFolder folder_;
  QString table_;
  QString data_;
  frmData* window_ = nullptr;
};

void FrmDataTest::init() {
  rig_ = std::make_unique<testing::WindowRig>();
  table_ = folder_.Write(u"game.tbl"_s, kTable);
  data_ = folder_.Write(u"game.bin"_s, DataBytes());
  rig_->session.Commands().OpenFile(QFile::encodeName(table_));
  rig_->Focus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier);
  window_ = rig_->side.GameData();
  QVERIFY(window_ != nullptr);
  QCOMPARE(window_->windowTitle(), u"Game Data"_s);
  QCOMPARE(window_->Tabs()->count(), 3);
}

void FrmDataTest::ReadsTheStringsAsTheTableIsEditedAndFindsThem() {
  OpenData(data_);
  GoTo(u"100"_s);
  QCOMPARE(window_->View()->Start(), 0x100);
  QCOMPARE(FirstString(), u"00000100: HELL<$1E> W<$1E>RLD[end]"_s);

  // A typed cell shows in the reading at once; a fill too, and an undo.
  rig_->State().SelectCode(0x1E);
  rig_->Focus();
  QTest::keyClicks(QApplication::focusWidget(), u"O"_s);
  QCOMPARE(FirstString(), u"00000100: HELLO WORLD[end]"_s);
  rig_->State().SelectCode(0x10);
  QSignalSpy changed(&window_->Lookup(), &data::DocumentLookup::changed);
  rig_->session.RunFill(editing::FillCommand::Range('a', 'z'));
  QCOMPARE(changed.count(), 1);
  QCOMPARE(FirstString(), u"00000100: hello world[end]"_s);
  rig_->session.Undo();
  QCOMPARE(FirstString(), u"00000100: HELLO WORLD[end]"_s);

  // The Text box shows the bytes; Find lands on the string, shown from there.
  Retype("txtText", u"GAME OVER<LINE>漢[end]"_s);
  const QString bytes = Get<QLabel>("lblBytes")->text();
  QCOMPARE(bytes, u"16 10 1C 14 2A 1E 25 14 21 FE 88 40 FF"_s);
  Find();
  auto* found = Get<QListWidget>("lstFound");
  QCOMPARE(found->count(), 1);
  QCOMPARE(Get<QLabel>("lblFound")->text(), bytes + u" found at 1 offset."_s);
  found->setCurrentRow(0);
  QCOMPARE(window_->View()->Start(), 0x300);
  QCOMPARE(FirstString(), u"00000300: GAME OVER"_s);
  const HexView::Row row = window_->View()->VisibleRows().constFirst();
  QCOMPARE(row.cells.mid(0, 13).join(u'|'), u"G|A|M|E| |O|V|E|R|*|漢|·|/"_s);

  // The tool reads and makes the same, from the table as saved.
  rig_->session.Commands().Save();
  const auto decode = tools::RunTblTool(
      {u"decode"_s, table_, data_, u"--from"_s, u"2FF"_s, u"--length"_s, u"14"_s});
  QCOMPARE(decode.out, "000002FF: [end]\n00000300: GAME OVER<LINE>\xE6\xBC\xA2[end]\n");
  const auto encode = tools::RunTblTool({u"encode"_s, table_, u"GAME OVER<LINE>漢[end]"_s});
  QCOMPARE(QString::fromUtf8(encode.out), bytes + u'\n');
  QCOMPARE(testing::TempFolder::Read(data_), DataBytes());

  // A text that makes no bytes, or other bytes, takes the last Find's offsets away.
  Retype("txtText", u"x"_s);
  QCOMPARE(found->count(), 0);
  QCOMPARE(Get<QLabel>("lblFound")->text(), QString());

  // A control code takes the byte after it, in the strings, beside the bytes and as typed.
  rig_->session.Document().SetEntry(0x1E, model::CodeEntry{"<p>", false, {}, true, "1"});
  GoTo(u"100"_s);
  QCOMPARE(FirstString(), u"00000100: HELL<p><$2A>W<p><$21>LD[end]"_s);
  QCOMPARE(window_->View()->VisibleRows().constFirst().cells.mid(0, 12).join(u'|'),
           u"H|E|L|L|<p>|·|W|<p>|·|L|D|/"_s);
  Retype("txtText", u"W<p><$21>"_s);
  QCOMPARE(Get<QLabel>("lblBytes")->text(), u"26 1E 21"_s);
  GoTo(u"FFF"_s);
  QCOMPARE(window_->findChild<QPlainTextEdit*>(u"txtStrings"_s)->toPlainText(),
           u"00000FFF: <p><$…>\n          (the data ends inside a control code)"_s);
}

void FrmDataTest::BadInputGetsAClearMessage_data() {
  QTest::addColumn<QString>("step");     // open:NAME, goto:OFFSET or text:TEXT
  QTest::addColumn<QString>("message");  // a message box; %1 is the folder
  QTest::addColumn<QString>("shown");    // lblFile, or lblBytes for a text
  QTest::addColumn<qint64>("start");     // the view's starting byte afterwards
  QTest::newRow("folder") << u"open:sub"_s << u"%1/sub is a folder."_s
                          << u"%1/game.bin: 4,096 bytes"_s << 0x20LL;
  QTest::newRow("missing") << u"open:none.bin"_s << u"%1/none.bin: No such file or directory"_s
                           << u"%1/game.bin: 4,096 bytes"_s << 0x20LL;
  QTest::newRow("empty") << u"open:empty.bin"_s << QString() << u"%1/empty.bin: empty"_s << 0LL;
  QTest::newRow("offset not hex") << u"goto:12g"_s
                                  << u"'12g' is not an offset in hexadecimal digits."_s
                                  << u"%1/game.bin: 4,096 bytes"_s << 0x20LL;
  QTest::newRow("offset past the end")
      << u"goto:1000"_s << u"Offset 00001000 is past the end of the data (4096 bytes)."_s
      << u"%1/game.bin: 4,096 bytes"_s << 0x20LL;
  QTest::newRow("no code for a character")
      << u"text:GAME OVER"_s << QString() << u"No code for 'O' (character 6)."_s << 0x20LL;
  const QString file = u"%1/game.bin: 4,096 bytes"_s;
  const QString past = u"Offset %1 is past the end of the data (4096 bytes)."_s;
  // Offsets as hex editors and assemblers write them; a number past 64 bits is past the end.
  QTest::newRow("offset as 0x") << u"goto:0x1F0"_s << QString() << file << 0x1F0LL;
  QTest::newRow("offset as $") << u"goto:$1f0"_s << QString() << file << 0x1F0LL;
  QTest::newRow("offset as h") << u"goto: 1F0h "_s << QString() << file << 0x1F0LL;
  QTest::newRow("0x offset past the end")
      << u"goto:0x1000"_s << past.arg(u"00001000"_s) << file << 0x20LL;
  QTest::newRow("offset too large")
      << u"goto:0x1FFFFFFFFFFFFFFFF"_s << past.arg(u"1FFFFFFFFFFFFFFFF"_s) << file << 0x20LL;
  QTest::newRow("offset of 16 digits")
      << u"goto:8000000000000000"_s << past.arg(u"8000000000000000"_s) << file << 0x20LL;
  QTest::newRow("no digits after 0x")
      << u"goto:0x"_s << u"'0x' is not an offset in hexadecimal digits."_s << file << 0x20LL;
  QTest::newRow("nothing typed") << u"goto:"_s << QString() << file << 0x20LL;
}

void FrmDataTest::BadInputGetsAClearMessage() {
  QFETCH(QString, step);
  QFETCH(QString, message);
  QFETCH(QString, shown);
  QVERIFY(QDir(folder_.Path({})).mkpath(u"sub"_s));
  (void)folder_.Write(u"empty.bin"_s, {});
  const QString folder = QFileInfo(data_).path();
  OpenData(data_);
  GoTo(u"20"_s);
  const QString value = step.section(u':', 1);
  if (!message.isEmpty()) rig_->answers.QueueButton(editing::Answers::Button::kOk);
  if (step.startsWith(u"open"_s)) OpenData(folder + u'/' + value);
  if (step.startsWith(u"goto"_s)) GoTo(value);
  if (step.startsWith(u"text"_s)) Retype("txtText", value);
  const auto& messages = rig_->answers.messages;
  QCOMPARE(messages.isEmpty() ? QString() : messages.constLast().text,
           message.replace(u"%1"_s, folder));
  const char* label = step.startsWith(u"text"_s) ? "lblBytes" : "lblFile";
  QCOMPARE(Get<QLabel>(label)->text(), shown.replace(u"%1"_s, folder));
  QTEST(window_->View()->Start(), "start");
  // Another file opened: the offset typed for the last one is gone.
  if (step == u"open:empty.bin"_s) QCOMPARE(Get<QLineEdit>("txtGoTo")->text(), QString());
  QVERIFY(!Get<QPushButton>("cmdFind")->isEnabled());
  if (window_->File().Size() == 0) {
    QVERIFY(window_->View()->VisibleRows().isEmpty());
    QCOMPARE(FirstString(), QString());
  }
}

void FrmDataTest::NoticesAFileChangedOnDiskAndReloads() {
  OpenData(data_);
  auto* reload = Get<QPushButton>("cmdReload");
  QVERIFY(!reload->isVisible());
  QVERIFY(QFile::resize(data_, 0x180));
  QTRY_VERIFY(reload->isVisible());
  QCOMPARE(Get<QLabel>("lblFile")->text(), data_ + u": 384 bytes"_s);
  const HexView::Row last = window_->View()->VisibleRows().constLast();
  QVERIFY(last.offset + last.bytes.size() <= 0x180);
  QTest::mouseClick(reload, Qt::LeftButton);
  QVERIFY(!reload->isVisible());
  QCOMPARE(Get<QLabel>("lblFile")->text(), data_ + u": 384 bytes"_s);

  // Replaced by a new file, as an inserter writes it.
  const QString fresh = folder_.Write(u"fresh.bin"_s, QByteArray::fromHex("231714ff"));
  QVERIFY(QFile::remove(data_) && QFile::rename(fresh, data_));
  QTRY_VERIFY(reload->isVisible());
  QTest::mouseClick(reload, Qt::LeftButton);
  QCOMPARE(FirstString(), u"00000000: THE[end]"_s);
}

void FrmDataTest::FindRunsOffTheWindowAndStopsWithIt() {
  const QString big = folder_.Write(u"big.bin"_s, QByteArray(qsizetype{64} << 20, '\0'));
  OpenData(big);
  Retype("txtText", u"AB"_s);
  QSignalSpy finished(window_, &frmData::findFinished);
  QTest::mouseClick(Get<QPushButton>("cmdFind"), Qt::LeftButton);
  // The table changes while the Find runs (its result comes through the event loop, which has
  // not run yet); the Find goes on with the bytes it was given.
  rig_->Document().SetCellText(0x11, "Q");
  QCOMPARE(Get<QLabel>("lblBytes")->text(), u"No code for 'B' (character 2)."_s);
  QVERIFY(finished.wait(60000));
  QVERIFY(!Get<QPushButton>("cmdCancel")->isVisible());
  QCOMPARE(Get<QLabel>("lblFound")->text(), u"10 11 is not in the data."_s);

  // Cancel ends the Find the window shows as running, however far the worker has come.
  Retype("txtText", u"AA"_s);
  QTest::mouseClick(Get<QPushButton>("cmdFind"), Qt::LeftButton);
  QVERIFY(Get<QPushButton>("cmdCancel")->isVisible());
  QTest::mouseClick(Get<QPushButton>("cmdCancel"), Qt::LeftButton);
  QCOMPARE(Get<QLabel>("lblFound")->text(), u"Find cancelled."_s);
  QVERIFY(!Get<QPushButton>("cmdCancel")->isVisible());
  QTest::mouseClick(Get<QPushButton>("cmdFind"), Qt::LeftButton);
  window_->close();                               // the window goes, and its Find with it
  QTRY_VERIFY(rig_->side.GameData() == nullptr);  // deleted later, by the event loop
}

void FrmDataTest::ReopensWhereItWasAndOffersTheLastFiles() {
  QSettings(u"Orvane"_s, u"Orvane"_s).remove(u"RecentDataFiles"_s);
  OpenData(data_);
  GoTo(u"180"_s);
  window_->close();
  QTRY_VERIFY(rig_->side.GameData() == nullptr);  // deleted later, by the event loop
  rig_->side.ShowGameData();
  window_ = rig_->side.GameData();
  QCOMPARE(window_->Path(), data_);
  QCOMPARE(window_->View()->Start(), 0x180);
  QCOMPARE(FirstString(), u"00000180: THE[end]"_s);

  // Nine more files: the list keeps the last eight, the newest first, each once.
  QStringList opened{data_};
  for (int i = 0; i < 9; ++i) {
    opened.prepend(folder_.Write(u"d%1.bin"_s.arg(i), "x"));
    OpenData(opened.first());
  }
  OpenData(opened[2]);
  opened.move(2, 0);
  QCOMPARE(RecentFiles(), opened.first(8));
  // A file gone from disk is taken off the list when it is chosen, and the user told.
  QVERIFY(QFile::remove(opened[3]));
  rig_->answers.QueueButton(editing::Answers::Button::kOk);
  ChooseRecent(opened[3]);
  QCOMPARE(rig_->answers.messages.constLast().text,
           opened[3] + u" is no longer there; it is taken off the recent data files."_s);
  QCOMPARE(window_->Path(), opened[0]);
  opened.removeAt(3);
  QCOMPARE(RecentFiles(), opened.first(7));
  ChooseRecent(opened[4]);
  QCOMPARE(window_->Path(), opened[4]);
  QCOMPARE(RecentFiles().constFirst(), opened[4]);
  QVERIFY(rig_->answers.AllAnswersUsed());
}

}  // namespace orvane::ui::side

QTEST_MAIN(orvane::ui::side::FrmDataTest)
#include "frm_data_test.moc"
