#include "data/relative_search_apply.h"

#include "editing/fill_commands.h"
#include "model/table_document.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using orvane::data::ValueSize;
using orvane::editing::FillCommand;
using orvane::kana::InputMode;
using orvane::kana::KanaTable;
using orvane::text::Encoding;
namespace data = orvane::data;
namespace model = orvane::model;

using Fills = QList<std::pair<quint8, FillCommand>>;  // each fill with the cell it starts on

class RelativeSearchApplyTest : public QObject {
  Q_OBJECT

 private slots:
  void ApplyOnSingleBytesWritesWhatTheFillsWrite_data();
  void ApplyOnSingleBytesWritesWhatTheFillsWrite();
  void ApplyNamesItsCodesAndWhatItWouldOverwrite();
};

void RelativeSearchApplyTest::ApplyOnSingleBytesWritesWhatTheFillsWrite_data() {
  QTest::addColumn<QString>("word");
  QTest::addColumn<Encoding>("encoding");
  QTest::addColumn<Fills>("fills");
  const auto pure = [](InputMode script) {
    return FillCommand::Table(KanaTable::kKanaTrailPure, script);
  };
  QTest::newRow("A to Z") << u"HERO"_s << Encoding::kEucJp
                          << Fills{{0x41, FillCommand::Range('A', 'Z')}};
  QTest::newRow("a to z, both cases")
      << u"Hero"_s << Encoding::kUtf8
      << Fills{{0x10, FillCommand::Range('A', 'Z')}, {0x61, FillCommand::Range('a', 'z')}};
  QTest::newRow("0 to 9") << u"2024"_s << Encoding::kWindows1252
                          << Fills{{0xF0, FillCommand::Range('0', '9')}};
  QTest::newRow("pure and impure hiragana in Shift-JIS")
      << u"どうぐ"_s << Encoding::kShiftJis
      << Fills{{0x10, pure(InputMode::kHiragana)},
               {0x50, FillCommand::Table(KanaTable::kKanaTrailImpure, InputMode::kHiragana)}};
  QTest::newRow("katakana in UTF-8")
      << u"タカラ"_s << Encoding::kUtf8 << Fills{{0xC0, pure(InputMode::kKatakana)}};
}

void RelativeSearchApplyTest::ApplyOnSingleBytesWritesWhatTheFillsWrite() {
  QFETCH(QString, word);
  QFETCH(Encoding, encoding);
  QFETCH(Fills, fills);
  model::TableDocument filled;
  filled.SetEncoding(encoding);
  orvane::editing::EditingState state;
  data::Candidate candidate;
  for (qsizetype i = 0; i < fills.size(); ++i) {
    state.SelectCode(fills[i].first);
    QVERIFY(orvane::editing::RunFill(fills[i].second, filled, state));
    candidate.bases[static_cast<size_t>(i)] = fills[i].first;
  }
  const auto query = data::MakeQuery(word, std::nullopt, ValueSize::k8).query;
  model::TableDocument applied;
  applied.SetEncoding(encoding);
  const data::ApplyPlan plan = data::PlanApply(*query, candidate, applied);
  QVERIFY(!plan.refusal);
  QVERIFY(plan.overwrites.empty());
  for (const data::CodeText& write : plan.writes) applied.SetCellText(write.code, write.text);
  QVERIFY(applied.Snapshot() == filled.Snapshot());
}

void RelativeSearchApplyTest::ApplyNamesItsCodesAndWhatItWouldOverwrite() {
  model::TableDocument document;
  document.SetCellText(*model::Code::FromHex("2101"), "x");  // B, little-endian
  document.SetCellText(*model::Code::FromHex("2201"), "C");  // C already
  // D, though a control code's label: it would be a control code no more.
  document.SetEntry(*model::Code::FromHex("2301"), model::CodeEntry{"D", false, {}, true, "1"});
  data::Candidate candidate;
  candidate.bases = {0x0120, 0};
  const auto upper = data::MakeQuery(u"HERO"_s, std::nullopt, ValueSize::k16Le).query;
  data::ApplyPlan plan = data::PlanApply(*upper, candidate, document);
  QCOMPARE(plan.writes.front().code.Hex(), QByteArray("2001"));
  QCOMPARE(plan.writes.back().code.Hex(), QByteArray("3901"));
  QCOMPARE(plan.overwrites,
           (std::vector{*model::Code::FromHex("2101"), *model::Code::FromHex("2301")}));

  const auto big = data::MakeQuery(u"HERO"_s, std::nullopt, ValueSize::k16Be).query;
  QCOMPARE(data::PlanApply(*big, candidate, document).writes.front().code.Hex(), "0120");

  // Kana are refused as the kana fills refuse them.
  document.SetEncoding(Encoding::kWindows1252);
  const auto kana = data::MakeQuery(u"たから"_s, std::nullopt, ValueSize::k16Le).query;
  plan = data::PlanApply(*kana, candidate, document);
  QVERIFY(plan.writes.empty());
  QVERIFY(plan.refusal->startsWith(
      u"The table is written in Windows-1252, which has no kana: nothing was written."_s));
}

QTEST_GUILESS_MAIN(RelativeSearchApplyTest)
#include "relative_search_apply_test.moc"
