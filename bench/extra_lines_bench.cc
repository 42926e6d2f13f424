// Opening the Extra Lines Manager on tables of many extra lines, as the two-byte tables are.
#include "session/session.h"
#include "ui/qt_answers.h"
#include "ui/side/frm_extra.h"
#include "ui/side/side_window_host.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_OpenExtraLinesManager(benchmark::State& state) {
  orvane::ui::QtAnswers answers;
  orvane::session::Session session(answers);
  QList<QByteArray> lines;
  for (qint64 i = 0; i < state.range(0); ++i) {
    lines.append(QByteArray::number(0x8140 + i % 0x6000, 16).toUpper() + "=\xE4\xBA\x9C");
  }
  session.Document().SetExtraLines(lines);
  session.Document().SetEncoding(orvane::text::Encoding::kUtf8);
  orvane::ui::side::SideWindowHost host(session);
  for (auto _ : state) {
    host.ShowExtraLinesManager();
    QCoreApplication::processEvents();
    state.PauseTiming();
    host.CloseAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenExtraLinesManager)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
