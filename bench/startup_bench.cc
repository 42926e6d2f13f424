// Start-up of the main window to its first paint, against a bare main window holding an empty
// 17 x 17 table widget, in the same run.
#include "session/session.h"
#include "ui/frm_orvane.h"
#include "ui/qt_answers.h"
#include "ui/side_windows.h"

#include <QApplication>
#include <QMainWindow>
#include <QTableWidget>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Watches for the first paint of any widget of a window.
class FirstPaint : public QObject {
 public:
  bool painted = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

template <typename MakeWindow>
void ShowUntilPainted(benchmark::State& state, MakeWindow make_window) {
  for (auto _ : state) {
    FirstPaint watcher;
    qApp->installEventFilter(&watcher);
    std::unique_ptr<QWidget> window = make_window();
    window->show();
    while (!watcher.painted) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    qApp->removeEventFilter(&watcher);
    state.PauseTiming();
    window.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}

// The main window's share of start-up: the session and the side windows exist before it.
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

void BM_StartMainWindow(benchmark::State& state) {
  orvane::ui::QtAnswers answers;
  orvane::session::Session session(answers);
  NoSideWindows side_windows;
  ShowUntilPainted(state,
                   [&] { return std::make_unique<orvane::ui::frmOrvane>(session, side_windows); });
}
BENCHMARK(BM_StartMainWindow)->Unit(benchmark::kMillisecond);

void BM_StartReferenceWindow(benchmark::State& state) {
  ShowUntilPainted(state, [] {
    auto window = std::make_unique<QMainWindow>();
    window->setCentralWidget(new QTableWidget(17, 17, window.get()));
    return window;
  });
}
BENCHMARK(BM_StartReferenceWindow)->Unit(benchmark::kMillisecond);

}  // namespace
