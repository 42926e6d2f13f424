// Pages of a table of 10,000 to 100,000 two-byte Shift-JIS kanji: opening a page in the main
// window to its paint, and typing into 1,000 of its cells one by one, each typed cell then
// written as a save writes it. Each should grow with the table at most linearly.
#include "model/table_file.h"
#include "no_answers.h"
#include "session/session.h"
#include "ui/frm_orvane.h"
#include "ui/side_windows.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using orvane::bench::NoAnswers;

using orvane::model::Code;
using orvane::model::Page;

class NoSideWindows : public orvane::ui::SideWindows {
 public:
  void ShowBookmarksManager() override {}
  void ShowExtraLinesManager() override {}
  void ShowReadme() override {}
  void ShowAbout() override {}
  void ShowGameData() override {}
  void ShowTableCheck() override {}
  void CloseAll() override {}
};

// `lines` kanji on codes 8140 onwards, every other cell of each page, so half of each page is
// free to type into.
QByteArray KanjiTable(qint64 lines) {
  QByteArray bytes;
  for (qint64 line = 0; line < lines; ++line) {
    const auto value = static_cast<quint32>(0x8100 + 2 * line);
    bytes.append(Code::Make(value, 2)->Hex()).append('=');
    bytes.append(static_cast<char>(0x88 + line % 20)).append(static_cast<char>(0x9F + line % 90));
    bytes.append("\r\n");
  }
  return bytes;
}

class Painted : public QObject {
 public:
  bool painted = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

void BM_OpenPage(benchmark::State& state) {
  NoAnswers answers;
  orvane::session::Session session(answers);
  if (orvane::model::LoadTableFromBytes(session.Document(), KanjiTable(state.range(0)))) {
    state.SkipWithError("load failed");
  }
  NoSideWindows side;
  orvane::ui::frmOrvane window(session, side);
  window.show();
  QCoreApplication::processEvents();
  const QList<orvane::model::PageCount> pages = session.Document().Pages();
  qsizetype next = 0;
  for (auto _ : state) {
    Painted watcher;
    qApp->installEventFilter(&watcher);
    session.OpenPage(pages[next++ % pages.size()].page);
    while (!watcher.painted) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    qApp->removeEventFilter(&watcher);
  }
}
BENCHMARK(BM_OpenPage)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One key into each of 1,000 free cells (a new line each), each followed by the bytes a save
// writes.
void BM_TypeAndSaveEach(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    NoAnswers answers;
    orvane::session::Session session(answers);
    if (orvane::model::LoadTableFromBytes(session.Document(), KanjiTable(state.range(0)))) {
      state.SkipWithError("load failed");
    }
    state.ResumeTiming();
    for (quint32 cell = 0; cell < 1000; ++cell) {
      session.State().SelectCode(*Code::Make(0x8101 + 2 * cell, 2));
      session.TypeKey(u'x');
      benchmark::DoNotOptimize(orvane::model::TableToBytes(session.Document()).size());
    }
  }
}
BENCHMARK(BM_TypeAndSaveEach)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
