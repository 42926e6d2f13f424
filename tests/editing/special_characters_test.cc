#include "editing/special_characters.h"

#include "support/fake_answers.h"

#include <QSignalSpy>
#include <QTest>

using orvane::editing::Answers;
using orvane::editing::EditingState;
using orvane::model::TableDocument;
using orvane::testing::FakeAnswers;

class SpecialCharactersTest : public QObject {
  Q_OBJECT

 private slots:
  void SetMarksOnlySlashOrStar_data();
  void SetMarksOnlySlashOrStar();
  void SetOnMarkedCellKeepsItsLabel();
  void UnsetRemovesMarkWhateverTheText_data();
  void UnsetRemovesMarkWhateverTheText();
};

void SpecialCharactersTest::SetMarksOnlySlashOrStar_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<bool>("qualifies");
  QTest::newRow("slash") << QByteArray("/") << true;
  QTest::newRow("star") << QByteArray("*") << true;
  QTest::newRow("empty") << QByteArray() << false;
  QTest::newRow("letter") << QByteArray("A") << false;
  QTest::newRow("two slashes") << QByteArray("//") << false;
  QTest::newRow("slash blank") << QByteArray("/ ") << false;
  QTest::newRow("star nul") << QByteArray("*\0", 2) << false;
}

void SpecialCharactersTest::SetMarksOnlySlashOrStar() {
  QFETCH(QByteArray, text);
  QFETCH(bool, qualifies);
  TableDocument document;
  EditingState state;
  state.SelectCode(0xC3);
  document.SetCellText(0xC3, text);
  FakeAnswers answers;
  if (!qualifies) answers.QueueButton(Answers::Button::kOk);
  QSignalSpy changed(&document, &TableDocument::cellChanged);
  orvane::editing::SetSpecialCharacter(document, state, answers);
  QCOMPARE(document.IsSpecial(0xC3), qualifies);
  QCOMPARE(changed.isEmpty(), !qualifies);
  QCOMPARE(document.GetCellText(0xC3), text);
  QCOMPARE(state.CursorCode(), quint8{0xC3});
  QVERIFY(answers.AllAnswersUsed());
  if (qualifies) {
    QVERIFY(answers.messages.isEmpty());
    return;
  }
  QCOMPARE(answers.messages.size(), 1);
  const FakeAnswers::Message& message = answers.messages.first();
  QCOMPARE(message.text, QStringLiteral("Selected cell does not contain a Special Character\r\n"));
  QCOMPARE(message.title, QStringLiteral("Error..."));
  QCOMPARE(message.icon, Answers::Icon::kExclamation);
  QCOMPARE(message.buttons, Answers::Buttons::kOk);
}

void SpecialCharactersTest::SetOnMarkedCellKeepsItsLabel() {
  TableDocument document;
  EditingState state;
  state.SelectCode(0x00);
  document.SetCellText(0x00, QByteArray("*"));
  document.MarkSpecial(0x00);
  document.SetMarkLabel(0x00, "=[nl]");  // as a file's "*00=[nl]" gives it
  FakeAnswers answers;
  orvane::editing::SetSpecialCharacter(document, state, answers);
  QVERIFY(document.IsSpecial(0x00));
  QVERIFY(answers.messages.isEmpty());
  QCOMPARE(document.MarkLabel(0x00), QByteArray("=[nl]"));  // kept on a cell already marked
  orvane::editing::UnsetSpecialCharacter(document, state);
  QVERIFY(document.MarkLabel(0x00).isEmpty());  // gone with the mark
  orvane::editing::SetSpecialCharacter(document, state, answers);
  QVERIFY(document.MarkLabel(0x00).isEmpty());  // a new mark has none
}

void SpecialCharactersTest::UnsetRemovesMarkWhateverTheText_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<bool>("marked");
  QTest::newRow("marked slash") << QByteArray("/") << true;
  QTest::newRow("marked, text changed since") << QByteArray("abc") << true;
  QTest::newRow("never marked") << QByteArray("/") << false;
}

void SpecialCharactersTest::UnsetRemovesMarkWhateverTheText() {
  QFETCH(QByteArray, text);
  QFETCH(bool, marked);
  TableDocument document;
  EditingState state;
  state.SelectCode(0xFF);
  document.SetCellText(0xFF, text);
  if (marked) document.MarkSpecial(0xFF);
  QSignalSpy changed(&document, &TableDocument::cellChanged);
  orvane::editing::UnsetSpecialCharacter(document, state);
  QVERIFY(!document.IsSpecial(0xFF));
  QCOMPARE(changed.isEmpty(), !marked);
  QCOMPARE(document.GetCellText(0xFF), text);
}

QTEST_GUILESS_MAIN(SpecialCharactersTest)
#include "special_characters_test.moc"
