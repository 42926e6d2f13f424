#include "editing/cell_editing.h"

#include "support/temp_table.h"

#include <QSignalSpy>
#include <QTest>

using orvane::editing::EditingState;
using orvane::kana::InputMode;
using orvane::model::TableDocument;
using orvane::testing::Bytes;

Q_DECLARE_METATYPE(orvane::kana::InputMode)

class CellEditingTest : public QObject {
  Q_OBJECT

 private slots:
  void BackspaceFollowsTheMode_data();
  void BackspaceFollowsTheMode();
  void ControlKeysChangeNothing_data();
  void ControlKeysChangeNothing();
  void PrintableKeysEditTheCursorCell_data();
  void PrintableKeysEditTheCursorCell();
  void CommittedTextIsAppended_data();
  void CommittedTextIsAppended();
};

void CellEditingTest::BackspaceFollowsTheMode_data() {
  QTest::addColumn<InputMode>("mode");
  QTest::addColumn<QByteArray>("before");
  QTest::addColumn<QByteArray>("after");
  QTest::addColumn<bool>("modified");
  QTest::newRow("ascii two letters")
      << InputMode::kAscii << QByteArray("AB") << QByteArray("A") << true;
  QTest::newRow("ascii one letter") << InputMode::kAscii << QByteArray("A") << QByteArray() << true;
  QTest::newRow("ascii kana drops trail")
      << InputMode::kAscii << Bytes({0xA4, 0xAB}) << Bytes({0xA4}) << true;
  QTest::newRow("hiragana kana empties")
      << InputMode::kHiragana << Bytes({0xA4, 0xAB}) << QByteArray() << true;
  QTest::newRow("katakana letters empty")
      << InputMode::kKatakana << QByteArray("xka") << QByteArray() << true;
  for (InputMode mode : {InputMode::kAscii, InputMode::kHiragana, InputMode::kKatakana}) {
    QTest::addRow("empty cell mode %d", static_cast<int>(mode))
        << mode << QByteArray() << QByteArray() << false;
  }
}

void CellEditingTest::BackspaceFollowsTheMode() {
  QFETCH(InputMode, mode);
  QFETCH(QByteArray, before);
  QFETCH(QByteArray, after);
  QFETCH(bool, modified);
  TableDocument document;
  EditingState state;
  state.SelectCode(0x41);
  state.SetInputMode(mode);
  document.SetCellText(0x41, before);
  QSignalSpy changed(&document, &TableDocument::cellChanged);
  orvane::editing::HandleCellKey(document, state, orvane::editing::kBackspaceKey);
  QCOMPARE(document.GetCellText(0x41), after);
  QCOMPARE(changed.count(), modified ? 1 : 0);
  QCOMPARE(state.CursorCode(), quint8{0x41});
}

void CellEditingTest::ControlKeysChangeNothing_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<InputMode>("mode");
  QTest::newRow("nul") << 0 << InputMode::kAscii;
  QTest::newRow("bell") << 7 << InputMode::kHiragana;
  QTest::newRow("tab") << 9 << InputMode::kAscii;
  QTest::newRow("enter") << 13 << InputMode::kHiragana;
  QTest::newRow("escape") << 27 << InputMode::kKatakana;
  QTest::newRow("unit separator") << 31 << InputMode::kAscii;
}

void CellEditingTest::ControlKeysChangeNothing() {
  QFETCH(int, key);
  QFETCH(InputMode, mode);
  TableDocument document;
  EditingState state;
  state.SelectCode(0x10);
  state.SetInputMode(mode);
  document.SetCellText(0x10, QByteArray("k"));
  QSignalSpy changed(&document, &TableDocument::cellChanged);
  QSignalSpy cursor(&state, &EditingState::cursorChanged);
  orvane::editing::HandleCellKey(document, state, static_cast<quint8>(key));
  QCOMPARE(document.GetCellText(0x10), QByteArray("k"));
  QVERIFY(!document.IsModified());
  QCOMPARE(changed.count(), 0);
  QCOMPARE(cursor.count(), 0);
}

void CellEditingTest::PrintableKeysEditTheCursorCell_data() {
  QTest::addColumn<InputMode>("mode");
  QTest::addColumn<QByteArray>("keys");
  QTest::addColumn<QByteArray>("expected");
  QTest::newRow("ascii letters") << InputMode::kAscii << QByteArray("ka") << QByteArray("ka");
  QTest::newRow("hiragana ka") << InputMode::kHiragana << QByteArray("ka") << Bytes({0xA4, 0xAB});
  QTest::newRow("katakana po") << InputMode::kKatakana << QByteArray("po") << Bytes({0xA5, 0xDD});
  QTest::newRow("hiragana no via n")
      << InputMode::kHiragana << QByteArray("no") << Bytes({0xA4, 0xCE});
  QTest::newRow("upper case stays") << InputMode::kHiragana << QByteArray("KA") << QByteArray("KA");
  QTest::newRow("space and apostrophe")
      << InputMode::kAscii << QByteArray(" '") << QByteArray(" '");
  QTest::newRow("high bytes") << InputMode::kAscii << Bytes({0x80, 0xFF}) << Bytes({0x80, 0xFF});
}

void CellEditingTest::PrintableKeysEditTheCursorCell() {
  QFETCH(InputMode, mode);
  QFETCH(QByteArray, keys);
  QFETCH(QByteArray, expected);
  TableDocument document;
  EditingState state;
  state.SelectCode(0xFF);
  state.SetInputMode(mode);
  QSignalSpy cursor(&state, &EditingState::cursorChanged);
  for (char key : keys) {
    orvane::editing::HandleCellKey(document, state, static_cast<quint8>(key));
  }
  QCOMPARE(document.GetCellText(0xFF), expected);
  QCOMPARE(document.GetCellText(0xFE), QByteArray());
  QCOMPARE(cursor.count(), 0);
}

void CellEditingTest::CommittedTextIsAppended_data() {
  QTest::addColumn<QByteArray>("before");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QByteArray>("expected");
  QTest::addColumn<bool>("modified");
  QTest::newRow("kanji after text")
      << QByteArray("x") << QStringLiteral("\u6F22") << Bytes({'x', 0xB4, 0xC1}) << true;
  // Committed text is final: romaji letters from an input method are not converted.
  QTest::newRow("letters unconverted")
      << QByteArray() << QStringLiteral("ka") << QByteArray("ka") << true;
  QTest::newRow("empty commit") << QByteArray("x") << QString() << QByteArray("x") << false;
  // A character with no EUC-JP form is left out; the rest is kept.
  QTest::newRow("emoji left out") << QByteArray() << QStringLiteral("a\U0001F600b")
                                  << QByteArray("ab") << true;
  QTest::newRow("only emoji") << QByteArray("x") << QStringLiteral("\U0001F600") << QByteArray("x")
                              << false;
  // A line end would split the entry in the file; other control characters would hide in it.
  QTest::newRow("line ends dropped")
      << QByteArray("a") << QStringLiteral("b\r\nc\nd") << QByteArray("abcd") << true;
  QTest::newRow("tab and delete dropped")
      << QByteArray() << QStringLiteral("\tx\x7F") << QByteArray("x") << true;
  // Half of a character: no encoding holds it.
  QTest::newRow("lone high surrogate left out")
      << QByteArray() << QStringLiteral("a") + QChar(0xD83D) << QByteArray("a") << true;
  QTest::newRow("only a line end")
      << QByteArray("a") << QStringLiteral("\n") << QByteArray("a") << false;
}

void CellEditingTest::CommittedTextIsAppended() {
  QFETCH(QByteArray, before);
  QFETCH(QString, text);
  QFETCH(QByteArray, expected);
  QFETCH(bool, modified);
  TableDocument document;
  EditingState state;
  state.SelectCode(0x27);
  state.SetInputMode(InputMode::kHiragana);
  document.SetCellText(0x27, before);
  QSignalSpy changed(&document, &TableDocument::cellChanged);
  orvane::editing::AppendCommittedText(document, state, text);
  QCOMPARE(document.GetCellText(0x27), expected);
  QCOMPARE(changed.isEmpty(), !modified);
}

QTEST_GUILESS_MAIN(CellEditingTest)
#include "cell_editing_test.moc"
