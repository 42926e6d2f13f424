// Undo and redo of a whole-table fill and of the Extra Lines Manager's Close, on tables of
// 1,000 to 100,000 extra lines.
#include "session/session.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

// Answers nothing: the steps measured ask no question.
class NoAnswers : public orvane::editing::Answers {
 public:
  Button MessageBox(const QString&, const QString&, Icon, Buttons) override { return Button::kOk; }
  std::optional<QString> FileDialog(FileDialogForm, const QString&) override { return {}; }
  std::optional<QString> AskText(const QString&, const QString&, const QString&) override {
    return {};
  }
  void CloseWindow() override {}
};

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

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
