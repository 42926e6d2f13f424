// The Game Data window's relative search on made-up game data: words found, applied to the table
// so that the window reads the strings, taken back by Undo; what the user is asked, and a search
// that ends with its window.
#include "ui/side/search_tab.h"

#include "data/relative_search_query.h"
#include "made_up_data.h"
#include "side_rig.h"
#include "support/temp_table.h"
#include "support/ui_rig.h"
#include "text/no_kana_text.h"
#include "ui/side/frm_data.h"
#include "ui/side/hex_view.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace orvane::ui::side {

class SearchTabTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { rig_ = std::make_unique<testing::WindowRig>(); }
  void cleanup() {
    rig_.reset();
    QSettings(u"Orvane"_s, u"Orvane"_s).remove(u"RecentDataFiles"_s);  // in Qt's test folder
  }
  void FindsAWordAndAppliesIt_data();
  void FindsAWordAndAppliesIt();
  void AsksBeforeWhatItMayNotWrite_data();
  void AsksBeforeWhatItMayNotWrite();
  void TheSearchKeepsToTheTableAndEndsWithTheWindow();

 private:
  template <typename T>
  T* Get(const char* name) const {
    return testing::Child<T>(window_, name);
  }
  // Opens the window on the data, made at the size of `values`, on the search tab.
  void Open(const QString& values, const QByteArray& table = {}) {
    const auto size = data::ValueSizeFromName(values);
    QVERIFY(size);
    if (!table.isNull()) {
      rig_->session.Commands().OpenFile(QFile::encodeName(folder_.Write(u"t.tbl"_s, table)));
    }
    rig_->side.ShowGameData();
    window_ = rig_->side.GameData();
    window_->OpenFile(folder_.Write(u"game.bin"_s, testing::MadeUpData(*size)));
    window_->Tabs()->setCurrentWidget(window_->Search());
    auto* values_box = Get<QComboBox>("cboValues");
    values_box->setCurrentIndex(values_box->findData(values));
  }
  void Search(const QString& word, const QString& order = {}) {
    auto* order_box = Get<QComboBox>("cboOrder");
    order_box->setCurrentIndex(std::max(0, order_box->findData(order)));
    Get<QLineEdit>("txtWord")->setText(word);
    QSignalSpy finished(window_->Search(), &SearchTab::searchFinished);
    QTest::mouseClick(Get<QPushButton>("cmdSearch"), Qt::LeftButton);
    QVERIFY(!finished.isEmpty() || !window_->Search()->Searching() || finished.wait(30000));
  }
  [[nodiscard]] QString Best(int column) const {
    const QTreeWidgetItem* item = Get<QTreeWidget>("lstCandidates")->topLevelItem(0);
    return item == nullptr ? QString() : item->text(column);
  }
  void Apply() { QTest::mouseClick(Get<QPushButton>("cmdApply"), Qt::LeftButton); }
  [[nodiscard]] QString FirstString() const {
    return Get<QPlainTextEdit>("txtStrings")->toPlainText().section(u'\n', 0, 0);
  }

  std::unique_ptr<testing::WindowRig> rig_;
  testing::TempFolder folder_;
  frmData* window_ = nullptr;
};

void SearchTabTest::FindsAWordAndAppliesIt_data() {
  QTest::addColumn<QString>("values");
  QTest::addColumn<QString>("word");
  QTest::addColumn<QString>("order");
  QTest::addColumn<QString>("best");    // the best candidate's values
  QTest::addColumn<QString>("read");    // the first string from its first hit, once applied
  QTest::addColumn<QString>("status");  // part of what the search says it found
  QTest::newRow("HERO, bytes") << u"8"_s << u"HERO"_s << QString() << u"A=80"_s
                               << u"00000100: HERO"_s << u"candidate"_s;
  QTest::newRow("HERO, 16-bit big-endian") << u"16be"_s << u"HERO"_s << QString() << u"A=0200"_s
                                           << u"00000100: HERO"_s << u"candidate"_s;
  QTest::newRow("HERO, 16-bit little-endian") << u"16le"_s << u"HERO"_s << QString() << u"A=0200"_s
                                              << u"00000100: HERO"_s << u"candidate"_s;
  QTest::newRow("kana, bytes") << u"8"_s << u"たからもの"_s << QString() << u"あ=10"_s
                               << u"00001500: たからもの"_s << u"candidate"_s;
  QTest::newRow("romaji, bytes") << u"8"_s << u"takaramono"_s << u"hiragana"_s << u"あ=10"_s
                                 << u"00001500: たからもの"_s << u"candidate"_s;
  QTest::newRow("romaji, 16-bit little-endian")
      << u"16le"_s << u"takaramono"_s << u"hiragana"_s << u"あ=0120"_s << u"00001500: たからもの"_s
      << u"candidate"_s;
  QTest::newRow("kana, 16-bit big-endian")
      << u"16be"_s << u"たからもの"_s << QString() << u"あ=0120"_s << u"00001500: たからもの"_s
      << u"candidate"_s;
  QTest::newRow("romaji from the word")
      << u"8"_s << u"takaramono"_s << QString() << u"あ=10"_s << u"00001500: たからもの"_s
      << u"candidate for たからもの, read as romaji in the order hiragana."_s;
}

void SearchTabTest::FindsAWordAndAppliesIt() {
  QFETCH(QString, values);
  QFETCH(QString, word);
  QFETCH(QString, order);
  QFETCH(QString, best);
  QFETCH(QString, read);
  QFETCH(QString, status);
  Open(values);
  Search(word, order);
  QCOMPARE(Best(1), best);
  QVERIFY2(Get<QLabel>("lblSearch")->text().contains(status),
           qPrintable(Get<QLabel>("lblSearch")->text()));
  QVERIFY(!FirstString().startsWith(read));
  Apply();
  QVERIFY(FirstString().startsWith(read));
  QCOMPARE(rig_->session.UndoName(), u"Apply Search"_s);
  rig_->session.Undo();
  QVERIFY(!FirstString().startsWith(read));
  QVERIFY(rig_->answers.messages.isEmpty());
}

void SearchTabTest::AsksBeforeWhatItMayNotWrite_data() {
  QTest::addColumn<QByteArray>("table");
  QTest::addColumn<QString>("word");
  QTest::addColumn<int>("answer");     // to the question, if one comes (Answers::Button)
  QTest::addColumn<QString>("asked");  // the message's first line, or a search's outcome
  QTest::addColumn<QString>("cells");  // codes 80, 81 and 93 afterwards
  using Button = editing::Answers::Button;
  const QByteArray taken = "80=X\n93=T\n";
  QTest::newRow("overwrite") << taken << u"HERO"_s << int(Button::kYes)
                             << u"1 of the codes to write hold other texts now:"_s << u"A B T"_s;
  QTest::newRow("only the free codes")
      << taken << u"HERO"_s << int(Button::kNo)
      << u"1 of the codes to write hold other texts now:"_s << u"X B T"_s;
  QTest::newRow("cancel") << taken << u"HERO"_s << int(Button::kCancel)
                          << u"1 of the codes to write hold other texts now:"_s << u"X - T"_s;
  QTest::newRow("the same texts") << QByteArray("80=A\n93=T\n") << u"HERO"_s << -1 << QString()
                                  << u"A B T"_s;
  QTest::newRow("kana in Windows-1252")
      << QByteArray("80=\xC9t\xE9\n") << u"たからもの"_s << int(Button::kOk)
      << text::NoKanaText(text::Encoding::kWindows1252, u"nothing was written."_s) << u"Été - -"_s;
  QTest::newRow("one symbol") << QByteArray() << u"H"_s << -1 << QString() << u"- - -"_s;
  QTest::newRow("no symbol of the order")
      << QByteArray() << u"**"_s << -1 << QString() << u"- - -"_s;
}

void SearchTabTest::AsksBeforeWhatItMayNotWrite() {
  QFETCH(QByteArray, table);
  QFETCH(QString, word);
  QFETCH(int, answer);
  QFETCH(QString, asked);
  QFETCH(QString, cells);
  Open(u"8"_s, table);
  if (answer >= 0) rig_->answers.QueueButton(static_cast<editing::Answers::Button>(answer));
  Search(word);
  const bool found = !Best(0).isEmpty();
  // What the search cannot do it says, and lists nothing to apply.
  QCOMPARE(Get<QLabel>("lblSearch")->text().contains(u"candidate"_s), found);
  QCOMPARE(Get<QPushButton>("cmdApply")->isEnabled(), found);
  if (found && table.startsWith("80=X")) QCOMPARE(Best(4), u"80 is X in the table"_s);
  Apply();
  const auto& messages = rig_->answers.messages;
  QCOMPARE(messages.isEmpty() ? QString() : messages.constLast().text.section(u'\n', 0, 0),
           asked.section(u'\n', 0, 0));
  QVERIFY(rig_->answers.AllAnswersUsed());
  QStringList texts;
  for (const quint8 code : {quint8{0x80}, quint8{0x81}, quint8{0x93}}) {
    const QByteArray text = rig_->Document().GetCellText(code);
    texts << (text.isEmpty() ? u"-"_s : QString::fromLatin1(text));
  }
  QCOMPARE(texts.join(u' '), cells);
}

void SearchTabTest::TheSearchKeepsToTheTableAndEndsWithTheWindow() {
  // A table opened while the search runs is the one its candidates are ranked against.
  Open(u"8"_s, "80=X\n");
  Get<QLineEdit>("txtWord")->setText(u"HERO"_s);
  QSignalSpy finished(window_->Search(), &SearchTab::searchFinished);
  QTest::mouseClick(Get<QPushButton>("cmdSearch"), Qt::LeftButton);
  rig_->session.Commands().OpenFile(QFile::encodeName(folder_.Write(u"u.tbl"_s, "80=A\n")));
  QVERIFY(!finished.isEmpty() || finished.wait(30000));
  QCOMPARE(Best(4), u"agrees"_s);
  // An edit ranks the candidates again and leaves the view where the user put it.
  window_->View()->GoTo(0x40);
  rig_->Document().SetCellText(0x81, "B");
  QCOMPARE(window_->View()->Start(), 0x40);

  // A search is cancelled while the window shows it running, however far the worker has come
  // (its result comes through the event loop, which has not run); then one is left running as
  // the window closes.
  window_->OpenFile(folder_.Write(u"big.bin"_s, QByteArray(qsizetype{64} << 20, '\0')));
  QTest::mouseClick(Get<QPushButton>("cmdSearch"), Qt::LeftButton);
  QVERIFY(window_->Search()->Searching());
  QTest::mouseClick(Get<QPushButton>("cmdCancelSearch"), Qt::LeftButton);
  QCOMPARE(Get<QLabel>("lblSearch")->text(), u"Search cancelled."_s);
  QVERIFY(!window_->Search()->Searching());
  QVERIFY(Get<QPushButton>("cmdSearch")->isEnabled());
  QTest::mouseClick(Get<QPushButton>("cmdSearch"), Qt::LeftButton);
  QVERIFY(window_->Search()->Searching());
  window_->close();
  QVERIFY(!window_->Search()->Searching());
  QTRY_VERIFY(rig_->side.GameData() == nullptr);  // deleted later, by the event loop
}

}  // namespace orvane::ui::side

QTEST_MAIN(orvane::ui::side::SearchTabTest)
#include "search_tab_test.moc"
