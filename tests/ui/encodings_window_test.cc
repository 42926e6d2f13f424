// Tables in other encodings, in the main window: shown, typed and filled in their encoding,
// read anew or converted from the Options menu.
#include "support/temp_table.h"
#include "support/ui_rig.h"
#include "ui/frm_orvane.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace orvane::ui {

using testing::Bytes;

class EncodingsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { rig_ = std::make_unique<testing::WindowRig>(); }
  void cleanup() { rig_.reset(); }
  void TypingAndFillsKeepTheTableInItsEncoding_data();
  void TypingAndFillsKeepTheTableInItsEncoding();
  void BackspaceLeavesWholeCharacters();
  void TableWithoutKanaKeepsLettersAndRefusesKanaFills();
  void CharacterTheEncodingCannotHoldIsNotStored();
  void EncodingMenuReadsTheSameBytesAnew();
  void EncodingMenuNamesTheFileForm();
  void ConvertRewritesEveryTextOrNone();

 private:
  model::TableDocument& Document() { return rig_->Document(); }
  QString Shown(int code) const {
    auto* grid = rig_->window.findChild<QTableView*>(u"TableGrid"_s);
    return grid->model()->index(code / 16, code % 16).data().toString();
  }
  void Open(const QByteArray& bytes) {
    path_ = folder_.Write(u"t.tbl"_s, bytes);
    rig_->answers.QueueFile(path_);
    rig_->Trigger("mnuOpen");
    rig_->Focus();
  }
  void Type(const QString& keys) { QTest::keyClicks(QApplication::focusWidget(), keys); }
  QByteArray Saved() {
    rig_->Trigger("mnuSave");
    return testing::TempFolder::Read(path_);
  }

  std::unique_ptr<testing::WindowRig> rig_;
  testing::TempFolder folder_;
  QString path_;
};

void EncodingsWindowTest::TypingAndFillsKeepTheTableInItsEncoding_data() {
  QTest::addColumn<QByteArray>("table");
  QTest::addColumn<QByteArray>("saved");
  // か typed into 00 and the katakana run from 10 (ア .. ン) in each table's encoding.
  QTest::newRow("UTF-8") << "F0=\xE3\x81\x82\r\n"_ba
                         << "00=\xE3\x81\x8B\r\n10=\xE3\x82\xA2\r\n11=\xE3\x82\xA4\r\n"_ba;
  QTest::newRow("Shift-JIS") << "F0=\x82\xA0\r\n"_ba
                             << "00=\x82\xA9\r\n10=\x83\x41\r\n11=\x83\x43\r\n"_ba;
  QTest::newRow("EUC-JP, as ever") << "F0=\xA4\xA2\r\n"_ba
                                   << "00=\xA4\xAB\r\n10=\xA5\xA2\r\n11=\xA5\xA4\r\n"_ba;
}

void EncodingsWindowTest::TypingAndFillsKeepTheTableInItsEncoding() {
  QFETCH(QByteArray, table);
  QFETCH(QByteArray, saved);
  Open(table);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::ControlModifier);
  Type(u"ka"_s);
  QCOMPARE(Shown(0x00), u"か"_s);
  rig_->State().SelectCode(0x10);
  rig_->Trigger("Toolbar1_Button13");
  QCOMPARE(Shown(0x10), u"ア"_s);
  const QByteArray file = Saved();
  QVERIFY2(file.startsWith(saved), file.toHex(' ').constData());
  QVERIFY(file.endsWith(table));
  QVERIFY(rig_->answers.messages.isEmpty());
}

// In ASCII mode Backspace takes the last character where a character is several bytes.
void EncodingsWindowTest::BackspaceLeavesWholeCharacters() {
  Open("F0=\xE3\x81\x82\r\n"_ba);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::ControlModifier);
  Type(u"ka"_s);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  Type(u"x"_s);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
  QCOMPARE(Document().GetCellText(0x00), QByteArray());
  Type(u"ka"_s);
  QCOMPARE(Document().GetCellText(0x00), QByteArray("ka"));
}

void EncodingsWindowTest::TableWithoutKanaKeepsLettersAndRefusesKanaFills() {
  Open("F0=\xC4\r\nF1=\xDF\r\n"_ba);  // Ä and ß: Windows-1252
  QCOMPARE(Document().Encoding(), text::Encoding::kWindows1252);
  rig_->answers.QueueButton(editing::Answers::Button::kOk);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::ControlModifier);
  Type(u"ka"_s);
  rig_->State().SelectCode(0x01);
  Type(u"ki"_s);  // told once
  QCOMPARE(Document().GetCellText(0x00), QByteArray("ka"));
  QCOMPARE(Document().GetCellText(0x01), QByteArray("ki"));
  QCOMPARE(rig_->answers.messages.size(), 1);
  QVERIFY(rig_->answers.messages[0].text.contains(u"Windows-1252, which has no kana"_s));
  rig_->answers.QueueButton(editing::Answers::Button::kOk);
  rig_->State().SelectCode(0x20);
  rig_->Trigger("Toolbar1_Button14");
  QCOMPARE(rig_->answers.messages.size(), 2);
  QVERIFY(Document().GetCellText(0x20).isEmpty());
  QCOMPARE(rig_->State().CursorCode(), quint8{0x20});
}

void EncodingsWindowTest::CharacterTheEncodingCannotHoldIsNotStored() {
  Open("F0=\x82\xA0\r\n"_ba);
  QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_Eacute, u"\u00E9"_s,
                      Qt::NoModifier);
  QCOMPARE(Document().GetCellText(0x00), QByteArray());
  QVERIFY(!Document().IsModified());
}

void EncodingsWindowTest::EncodingMenuReadsTheSameBytesAnew() {
  Open("F0=\x82\xA0\r\n"_ba);
  QVERIFY(rig_->Action("mnuEncodingShiftJis")->isChecked());
  QCOMPARE(Shown(0xF0), u"あ"_s);
  QSignalSpy changes(rig_->window.findChild<QTableView*>(u"TableGrid"_s)->model(),
                     &QAbstractItemModel::dataChanged);
  rig_->Trigger("mnuEncodingWindows1252");
  QCOMPARE(Shown(0xF0), u"\u201A\u00A0"_s);
  QCOMPARE(changes.size(), 1);
  QVERIFY(rig_->Action("mnuEncodingWindows1252")->isChecked());
  QVERIFY(!rig_->Action("mnuEncodingShiftJis")->isChecked());
  QVERIFY(!Document().IsModified());
  QCOMPARE(Document().GetCellText(0xF0), "\x82\xA0"_ba);
}

void EncodingsWindowTest::EncodingMenuNamesTheFileForm() {
  Open(
      "\xFF\xFE"
      "F\0"
      "0\0=\0\x42\x30\r\0\n\0"_ba);
  QAction* form = rig_->Action("mnuEncodingForm");
  QVERIFY(form->isVisible());
  QVERIFY(!form->isEnabled());
  QCOMPARE(form->text(), u"Written as UTF-16LE"_s);
  QVERIFY(!rig_->Action("mnuEncodingEucJp")->isEnabled());
  QCOMPARE(Shown(0xF0), u"あ"_s);
  Open(
      "\xEF\xBB\xBF"
      "F0=\xE3\x81\x82\r\n"_ba);
  QVERIFY(rig_->Action("mnuEncodingEucJp")->isEnabled());
  QVERIFY(form->text().startsWith(u"Written as UTF-8 with BOM"_s));
  rig_->Trigger("mnuEncodingEucJp");
  // Another encoding drops the mark, so the file would change: the table is to be saved.
  QVERIFY(Document().IsModified());
  QVERIFY(!Saved().startsWith("\xEF\xBB\xBF"));
}

void EncodingsWindowTest::ConvertRewritesEveryTextOrNone() {
  Open("s: \x82\xA0\r\nF0=\x82\xA9\r\n/FF=[\x82\xA0]\r\n\r\n(10h)\x83\x41\r\n"_ba);
  QVERIFY(!rig_->Action("mnuConvertShiftJis")->isEnabled());  // it would change nothing
  QSignalSpy resets(&Document(), &model::TableDocument::tableReset);
  rig_->Trigger("mnuConvertUtf8");
  QVERIFY(rig_->Action("mnuConvertShiftJis")->isEnabled());
  QVERIFY(!rig_->Action("mnuConvertUtf8")->isEnabled());
  QCOMPARE(resets.size(), 1);
  QVERIFY(Document().IsModified());
  QCOMPARE(Document().Encoding(), text::Encoding::kUtf8);
  QCOMPARE(Shown(0xF0), u"か"_s);
  QCOMPARE(Saved(),
           "s: \xE3\x81\x82\r\nF0=\xE3\x81\x8B\r\n/FF=[\xE3\x81\x82]\r\n\r\n"
           "(10h)\xE3\x82\xA2\r\n"_ba);
  // A character Windows-1252 cannot hold: nothing changes, and the message says where.
  rig_->answers.QueueButton(editing::Answers::Button::kOk);
  rig_->Trigger("mnuConvertWindows1252");
  QCOMPARE(Document().Encoding(), text::Encoding::kUtf8);
  QVERIFY(!Document().IsModified());
  const QString message = rig_->answers.messages.last().text;
  QVERIFY2(message.contains(
               u"extra line 1: 'あ'\r\ncode F0: 'か'\r\ncode FF: 'あ'\r\nbookmark 1: 'ア'"_s),
           qPrintable(message));
  // Letters each EUC-JP can hold, but as single bytes ß and Ä make one pair there.
  Document().SetCellText(0xF1, "\xC3\x9F\xC3\x84");
  rig_->answers.QueueButton(editing::Answers::Button::kOk);
  rig_->Trigger("mnuConvertEucJp");
  QCOMPARE(Document().Encoding(), text::Encoding::kUtf8);
  QVERIFY(rig_->answers.messages.last().text.contains(
      u"code F1: 'ßÄ', which EUC-JP reads as other characters"_s));
}

}  // namespace orvane::ui

QTEST_MAIN(orvane::ui::EncodingsWindowTest)
#include "encodings_window_test.moc"
