#include "editing/autocompletion.h"

#include "editing/fill_commands.h"
#include "support/temp_table.h"

#include <QSignalSpy>
#include <QTest>

using orvane::editing::EditingState;
using orvane::editing::FillCommand;
using orvane::kana::InputMode;
using orvane::kana::KanaTable;
using orvane::model::TableDocument;
using orvane::testing::Bytes;

Q_DECLARE_METATYPE(FillCommand)

namespace {

const QByteArray kOld("~");

// A table whose every cell holds kOld, so a write and a cell left alone can be told apart.
void FillOld(TableDocument& document) {
  for (int code = 0; code < orvane::model::kCodeCount; ++code) {
    document.SetCellText(static_cast<quint8>(code), kOld);
  }
  document.SetModified(false);
}

const FillCommand kDigits = FillCommand::Range('0', '9');
const FillCommand kRomajiUpper =
    FillCommand::Table(KanaTable::kRomajiPure, InputMode::kAscii, true);
const FillCommand kRomajiImpureLower =
    FillCommand::Table(KanaTable::kRomajiImpure, InputMode::kAscii);
const FillCommand kHiraganaImpure =
    FillCommand::Table(KanaTable::kKanaTrailImpure, InputMode::kHiragana);
const FillCommand kKatakana = FillCommand::Table(KanaTable::kKanaTrailPure, InputMode::kKatakana);

}  // namespace

class AutocompletionTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryCommandFillsItsRun_data();
  void EveryCommandFillsItsRun();
  void RunsWriteTheirWholeSequence_data();
  void RunsWriteTheirWholeSequence();
  void FullByteRangeStopsOnFF();
  void EmptyRangeChangesNothing();
  void PressingTwiceWritesTwoRuns();
};

void AutocompletionTest::EveryCommandFillsItsRun_data() {
  QTest::addColumn<FillCommand>("command");
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("count");
  QTest::addColumn<QByteArray>("first");
  QTest::addColumn<QByteArray>("eighth");
  QTest::addColumn<QByteArray>("last");
  struct Row {
    const char* name;
    FillCommand command;
    int count;
    QByteArray first, eighth, last;
  };
  const Row rows[] = {
      {"upper", FillCommand::Range('A', 'Z'), 26, "A", "H", "Z"},
      {"digits", kDigits, 10, "0", "7", "9"},
      {"romaji pure upper", kRomajiUpper, 46, "A", "KU", "N"},
      {"romaji pure lower", FillCommand::Table(KanaTable::kRomajiPure, InputMode::kAscii), 46, "a",
       "ku", "n"},
      {"romaji impure upper", FillCommand::Table(KanaTable::kRomajiImpure, InputMode::kAscii, true),
       25, "GA", "ZU", "PO"},
      {"katakana pure", kKatakana, 46, Bytes({0xA5, 0xA2}), Bytes({0xA5, 0xAF}),
       Bytes({0xA5, 0xF3})},
      {"hiragana impure", kHiraganaImpure, 25, Bytes({0xA4, 0xAC}), Bytes({0xA4, 0xBA}),
       Bytes({0xA4, 0xDD})},
  };
  for (const Row& row : rows) {
    for (int start : {0x00, 0xF8, 0xFF}) {
      QTest::addRow("%s from %02X", row.name, start)
          << row.command << start << row.count << row.first << row.eighth << row.last;
    }
  }
}

void AutocompletionTest::EveryCommandFillsItsRun() {
  QFETCH(FillCommand, command);
  QFETCH(int, start);
  QFETCH(int, count);
  QFETCH(QByteArray, first);
  QFETCH(QByteArray, eighth);
  QFETCH(QByteArray, last);
  TableDocument document;
  EditingState state;
  FillOld(document);
  document.MarkSpecial(static_cast<quint8>(start));
  state.SelectCode(static_cast<quint8>(start));
  QSignalSpy resets(&document, &TableDocument::tableReset);
  QSignalSpy cells(&document, &TableDocument::cellChanged);

  QVERIFY(orvane::editing::RunFill(command, document, state));

  const int end = std::min(start + count - 1, 0xFF);
  QCOMPARE(document.GetCellText(static_cast<quint8>(start)), first);
  if (end - start >= 7) QCOMPARE(document.GetCellText(static_cast<quint8>(start + 7)), eighth);
  if (start + count - 1 <= 0xFF) {
    QCOMPARE(document.GetCellText(static_cast<quint8>(end)), last);
  }
  for (int code = 0; code < orvane::model::kCodeCount; ++code) {
    const bool in_run = code >= start && code <= end;
    QCOMPARE(document.GetCellText(static_cast<quint8>(code)) != kOld, in_run);
  }
  QCOMPARE(static_cast<int>(state.CursorCode().Value()), std::min(start + count, 0xFF));
  QVERIFY(document.IsSpecial(static_cast<quint8>(start)));
  QCOMPARE(resets.count(), 1);
  QCOMPARE(cells.count(), 0);
}

void AutocompletionTest::RunsWriteTheirWholeSequence_data() {
  QTest::addColumn<FillCommand>("command");
  QTest::addColumn<int>("start");
  QTest::addColumn<QList<int>>("codes");
  QTest::addColumn<QList<QByteArray>>("texts");
  QTest::addColumn<int>("cursor");
  QTest::newRow("digits wrap to next row") << kDigits << 0x0F << QList<int>{0x0F, 0x10, 0x18}
                                           << QList<QByteArray>{"0", "1", "9"} << 0x19;
  QTest::newRow("upper case from 41")
      << FillCommand::Range('A', 'Z') << 0x41 << QList<int>{0x41, 0x5A}
      << QList<QByteArray>{"A", "Z"} << 0x5B;
  QTest::newRow("romaji three-letter syllables")
      << kRomajiUpper << 0x80 << QList<int>{0x80, 0x8B, 0x90, 0x91, 0xAC, 0xAD}
      << QList<QByteArray>{"A", "SHI", "CHI", "TSU", "WO", "N"} << 0xAE;
  QTest::newRow("impure ji and zu written twice")
      << kRomajiImpureLower << 0x00 << QList<int>{0x00, 0x06, 0x07, 0x0B, 0x0C, 0x18}
      << QList<QByteArray>{"ga", "ji", "zu", "ji", "zu", "po"} << 0x19;
  QTest::newRow("impure kana b row before p row")
      << kHiraganaImpure << 0x40 << QList<int>{0x4B, 0x4C, 0x53, 0x54}
      << QList<QByteArray>{Bytes({0xA4, 0xC2}), Bytes({0xA4, 0xC5}), Bytes({0xA4, 0xDC}),
                           Bytes({0xA4, 0xD1})}
      << 0x59;
  QTest::newRow("hiragana from 20")
      << FillCommand::Table(KanaTable::kKanaTrailPure, InputMode::kHiragana) << 0x20
      << QList<int>{0x20, 0x4D} << QList<QByteArray>{Bytes({0xA4, 0xA2}), Bytes({0xA4, 0xF3})}
      << 0x4E;
  QTest::newRow("katakana impure from B0")
      << FillCommand::Table(KanaTable::kKanaTrailImpure, InputMode::kKatakana) << 0xB0
      << QList<int>{0xB0, 0xC8} << QList<QByteArray>{Bytes({0xA5, 0xAC}), Bytes({0xA5, 0xDD})}
      << 0xC9;
  QTest::newRow("katakana cut at FF")
      << kKatakana << 0xEF << QList<int>{0xEF, 0xFF}
      << QList<QByteArray>{Bytes({0xA5, 0xA2}), Bytes({0xA5, 0xC1})} << 0xFF;
}

void AutocompletionTest::RunsWriteTheirWholeSequence() {
  QFETCH(FillCommand, command);
  QFETCH(int, start);
  QFETCH(QList<int>, codes);
  QFETCH(QList<QByteArray>, texts);
  QFETCH(int, cursor);
  TableDocument document;
  EditingState state;
  state.SelectCode(static_cast<quint8>(start));
  QVERIFY(orvane::editing::RunFill(command, document, state));
  for (qsizetype i = 0; i < codes.size(); ++i) {
    QCOMPARE(document.GetCellText(static_cast<quint8>(codes[i])), texts[i]);
  }
  QCOMPARE(static_cast<int>(state.CursorCode().Value()), cursor);
}

void AutocompletionTest::FullByteRangeStopsOnFF() {
  TableDocument document;
  EditingState state;
  orvane::editing::AutoFillRange(document, state, 0x00, 0xFF);
  for (int code = 0; code < orvane::model::kCodeCount; ++code) {
    QCOMPARE(document.GetCellText(static_cast<quint8>(code)), Bytes({code}));
  }
  QCOMPARE(state.CursorCode(), quint8{0xFF});
}

void AutocompletionTest::EmptyRangeChangesNothing() {
  TableDocument document;
  EditingState state;
  state.SelectCode(0x30);
  QSignalSpy resets(&document, &TableDocument::tableReset);
  orvane::editing::AutoFillRange(document, state, 0x5A, 0x41);
  QVERIFY(!document.IsModified());
  QCOMPARE(document.GetCellText(0x30), QByteArray());
  QCOMPARE(state.CursorCode(), quint8{0x30});
  QCOMPARE(resets.count(), 0);
}

void AutocompletionTest::PressingTwiceWritesTwoRuns() {
  TableDocument document;
  EditingState state;
  QVERIFY(orvane::editing::RunFill(kDigits, document, state));
  QVERIFY(orvane::editing::RunFill(kDigits, document, state));
  QCOMPARE(document.GetCellText(0x09), QByteArray("9"));
  QCOMPARE(document.GetCellText(0x0A), QByteArray("0"));
  QCOMPARE(document.GetCellText(0x13), QByteArray("9"));
  QCOMPARE(state.CursorCode(), quint8{0x14});
}

QTEST_GUILESS_MAIN(AutocompletionTest)
#include "autocompletion_test.moc"
