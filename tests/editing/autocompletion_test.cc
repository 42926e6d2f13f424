#include "editing/autocompletion.h"

#include "editing/fill_commands.h"

#include <QSignalSpy>
#include <QTest>

using orvane::editing::EditingState;
using orvane::editing::FillCommand;
using orvane::model::TableDocument;

namespace {

const QByteArray kOld("~");

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray bytes;
  for (int value : values) bytes.append(static_cast<char>(value));
  return bytes;
}

// A table whose every cell holds kOld, so a write and a cell left alone can be told apart.
void FillOld(TableDocument& document) {
  for (int code = 0; code < orvane::model::kCodeCount; ++code) {
    document.SetCellText(static_cast<quint8>(code), kOld);
  }
  document.SetModified(false);
}

// item 0 stands for pressing the button itself.
std::optional<FillCommand> Command(int button, int item) {
  return item == 0 ? orvane::editing::ToolbarFill(button)
                   : orvane::editing::DropDownFill(button, item);
}

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
  void OtherButtonsAreNoFill_data();
  void OtherButtonsAreNoFill();
};

void AutocompletionTest::EveryCommandFillsItsRun_data() {
  QTest::addColumn<int>("button");
  QTest::addColumn<int>("item");
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("count");
  QTest::addColumn<QByteArray>("first");
  QTest::addColumn<QByteArray>("eighth");
  QTest::addColumn<QByteArray>("last");
  struct Row {
    const char* name;
    int button, item, count;
    QByteArray first, eighth, last;
  };
  const Row rows[] = {
      {"upper", 8, 0, 26, "A", "H", "Z"},
      {"lower", 9, 0, 26, "a", "h", "z"},
      {"digits", 10, 0, 10, "0", "7", "9"},
      {"romaji", 12, 0, 46, "A", "KU", "N"},
      {"romaji pure upper", 12, 1, 46, "A", "KU", "N"},
      {"romaji pure lower", 12, 2, 46, "a", "ku", "n"},
      {"romaji impure upper", 12, 3, 25, "GA", "ZU", "PO"},
      {"romaji impure lower", 12, 4, 25, "ga", "zu", "po"},
      {"katakana", 13, 0, 46, Bytes({0xA5, 0xA2}), Bytes({0xA5, 0xAF}), Bytes({0xA5, 0xF3})},
      {"katakana pure", 13, 1, 46, Bytes({0xA5, 0xA2}), Bytes({0xA5, 0xAF}), Bytes({0xA5, 0xF3})},
      {"katakana impure", 13, 2, 25, Bytes({0xA5, 0xAC}), Bytes({0xA5, 0xBA}), Bytes({0xA5, 0xDD})},
      {"hiragana", 14, 0, 46, Bytes({0xA4, 0xA2}), Bytes({0xA4, 0xAF}), Bytes({0xA4, 0xF3})},
      {"hiragana pure", 14, 1, 46, Bytes({0xA4, 0xA2}), Bytes({0xA4, 0xAF}), Bytes({0xA4, 0xF3})},
      {"hiragana impure", 14, 2, 25, Bytes({0xA4, 0xAC}), Bytes({0xA4, 0xBA}), Bytes({0xA4, 0xDD})},
  };
  for (const Row& row : rows) {
    for (int start : {0x00, 0xF8, 0xFF}) {
      QTest::addRow("%s from %02X", row.name, start)
          << row.button << row.item << start << row.count << row.first << row.eighth << row.last;
    }
  }
}

void AutocompletionTest::EveryCommandFillsItsRun() {
  QFETCH(int, button);
  QFETCH(int, item);
  QFETCH(int, start);
  QFETCH(int, count);
  QFETCH(QByteArray, first);
  QFETCH(QByteArray, eighth);
  QFETCH(QByteArray, last);
  const std::optional<FillCommand> command = Command(button, item);
  QVERIFY(command);
  TableDocument document;
  EditingState state;
  FillOld(document);
  document.MarkSpecial(static_cast<quint8>(start));
  state.SelectCode(static_cast<quint8>(start));
  QSignalSpy resets(&document, &TableDocument::tableReset);
  QSignalSpy cells(&document, &TableDocument::cellChanged);

  orvane::editing::RunFill(*command, document, state);

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
  QCOMPARE(int{state.CursorCode()}, std::min(start + count, 0xFF));
  QVERIFY(document.IsSpecial(static_cast<quint8>(start)));
  QVERIFY(document.IsModified());
  QCOMPARE(resets.count(), 1);
  QCOMPARE(cells.count(), 0);
}

void AutocompletionTest::RunsWriteTheirWholeSequence_data() {
  QTest::addColumn<int>("button");
  QTest::addColumn<int>("item");
  QTest::addColumn<int>("start");
  QTest::addColumn<QList<int>>("codes");
  QTest::addColumn<QList<QByteArray>>("texts");
  QTest::addColumn<int>("cursor");
  QTest::newRow("digits wrap to next row") << 10 << 0 << 0x0F << QList<int>{0x0F, 0x10, 0x18}
                                           << QList<QByteArray>{"0", "1", "9"} << 0x19;
  QTest::newRow("upper case from 41")
      << 8 << 0 << 0x41 << QList<int>{0x41, 0x5A} << QList<QByteArray>{"A", "Z"} << 0x5B;
  QTest::newRow("romaji three-letter syllables")
      << 12 << 0 << 0x80 << QList<int>{0x80, 0x8B, 0x90, 0x91, 0xAC, 0xAD}
      << QList<QByteArray>{"A", "SHI", "CHI", "TSU", "WO", "N"} << 0xAE;
  QTest::newRow("impure ji and zu written twice")
      << 12 << 4 << 0x00 << QList<int>{0x00, 0x06, 0x07, 0x0B, 0x0C, 0x18}
      << QList<QByteArray>{"ga", "ji", "zu", "ji", "zu", "po"} << 0x19;
  QTest::newRow("impure kana b row before p row")
      << 14 << 2 << 0x40 << QList<int>{0x4B, 0x4C, 0x53, 0x54}
      << QList<QByteArray>{Bytes({0xA4, 0xC2}), Bytes({0xA4, 0xC5}), Bytes({0xA4, 0xDC}),
                           Bytes({0xA4, 0xD1})}
      << 0x59;
  QTest::newRow("hiragana from 20")
      << 14 << 0 << 0x20 << QList<int>{0x20, 0x4D}
      << QList<QByteArray>{Bytes({0xA4, 0xA2}), Bytes({0xA4, 0xF3})} << 0x4E;
  QTest::newRow("katakana impure from B0")
      << 13 << 2 << 0xB0 << QList<int>{0xB0, 0xC8}
      << QList<QByteArray>{Bytes({0xA5, 0xAC}), Bytes({0xA5, 0xDD})} << 0xC9;
  QTest::newRow("katakana cut at FF")
      << 13 << 0 << 0xEF << QList<int>{0xEF, 0xFF}
      << QList<QByteArray>{Bytes({0xA5, 0xA2}), Bytes({0xA5, 0xC1})} << 0xFF;
}

void AutocompletionTest::RunsWriteTheirWholeSequence() {
  QFETCH(int, button);
  QFETCH(int, item);
  QFETCH(int, start);
  QFETCH(QList<int>, codes);
  QFETCH(QList<QByteArray>, texts);
  QFETCH(int, cursor);
  TableDocument document;
  EditingState state;
  state.SelectCode(static_cast<quint8>(start));
  orvane::editing::RunFill(*Command(button, item), document, state);
  for (qsizetype i = 0; i < codes.size(); ++i) {
    QCOMPARE(document.GetCellText(static_cast<quint8>(codes[i])), texts[i]);
  }
  QCOMPARE(int{state.CursorCode()}, cursor);
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
  const FillCommand digits = *orvane::editing::ToolbarFill(10);
  orvane::editing::RunFill(digits, document, state);
  orvane::editing::RunFill(digits, document, state);
  QCOMPARE(document.GetCellText(0x09), QByteArray("9"));
  QCOMPARE(document.GetCellText(0x0A), QByteArray("0"));
  QCOMPARE(document.GetCellText(0x13), QByteArray("9"));
  QCOMPARE(state.CursorCode(), quint8{0x14});
}

void AutocompletionTest::OtherButtonsAreNoFill_data() {
  QTest::addColumn<int>("button");
  QTest::addColumn<int>("item");
  for (int button : {0, 1, 2, 3, 4, 5, 6, 7, 11, 15}) {
    QTest::addRow("button %d", button) << button << 0;
  }
  QTest::newRow("romaji item 5") << 12 << 5;
  QTest::newRow("katakana item 3") << 13 << 3;
  QTest::newRow("hiragana item 3") << 14 << 3;
  QTest::newRow("hiragana item -1") << 14 << -1;
  QTest::newRow("upper case has no menu") << 8 << 1;
}

void AutocompletionTest::OtherButtonsAreNoFill() {
  QFETCH(int, button);
  QFETCH(int, item);
  QCOMPARE(item == 0 ? orvane::editing::ToolbarFill(button)
                     : orvane::editing::DropDownFill(button, item),
           std::nullopt);
}

QTEST_GUILESS_MAIN(AutocompletionTest)
#include "autocompletion_test.moc"
