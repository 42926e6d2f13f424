// Undo and redo of a whole-table fill and of the Extra Lines Manager's Close, on tables of
// 1,000 to 100,000 extra lines; and the memory a history of one-cell edits holds.
#include "model/table_file.h"
#include "no_answers.h"
#include "session/session.h"

#include <QCoreApplication>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

using orvane::bench::NoAnswers;

void FillExtraLines(orvane::session::Session& session, qint64 count) {
  QList<QByteArray> lines;
  lines.reserve(count);
  for (qint64 i = 0; i < count; ++i)
    lines.append("8" + QByteArray::number(100 + i % 0x6000) + "=x");
  session.Document().SetExtraLines(lines);
}

void BM_UndoRedoFill(benchmark::State& state) {
  NoAnswers answers;
  orvane::session::Session session(answers);
  FillExtraLines(session, state.range(0));
  session.RunFill(orvane::editing::FillCommand::Range(0x00, 0xFF));
  for (auto _ : state) {
    session.Undo();
    session.Redo();
  }
}
BENCHMARK(BM_UndoRedoFill)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_UndoRedoExtraLinesClose(benchmark::State& state) {
  NoAnswers answers;
  orvane::session::Session session(answers);
  FillExtraLines(session, state.range(0));
  orvane::editing::ExtraLinesDraft& draft = session.ExtraLines();
  draft.Open();
  draft.Add("s: 20");
  session.Record(orvane::session::StepKind::kExtraLines, [&draft] { draft.Apply(); });
  draft.Close();
  for (auto _ : state) {
    session.Undo();
    session.Redo();
  }
}
BENCHMARK(BM_UndoRedoExtraLinesClose)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

// The resident memory of the process now, in megabytes.
double ResidentMegabytes() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly)) return 0;
  const QList<QByteArray> fields = statm.readAll().split(' ');
  return fields.value(1).toDouble() * 4096 / (1024 * 1024);
}

// 1,000 cells typed into one by one, each a step of its own, on a table of 100,000 lines of
// two-byte codes (every code 0000..FFFF, then the first again): what the history holds.
void BM_HistoryOfOneCellEdits(benchmark::State& state) {
  QByteArray table;
  for (int line = 0; line < 100000; ++line) {
    table.append(QByteArray::number(0x10000 + line % 0x10000, 16).mid(1).toUpper()).append("=x\n");
  }
  for (auto _ : state) {
    NoAnswers answers;
    orvane::session::Session session(answers);
    if (orvane::model::LoadTableFromBytes(session.Document(), table)) {
      state.SkipWithError("load failed");
    }
    const double before = ResidentMegabytes();
    for (quint32 cell = 0; cell < 1000; ++cell) {
      session.State().SelectCode(*orvane::model::Code::Make((0x8140 + 61 * cell) & 0xFFFF, 2));
      session.TypeKey(u'y');
    }
    state.counters["history_MB"] = ResidentMegabytes() - before;
  }
}
BENCHMARK(BM_HistoryOfOneCellEdits)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
