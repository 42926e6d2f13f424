// The main of the window benchmarks: a QApplication on the offscreen platform, then the
// benchmarks of the program it is linked into.
#include <QApplication>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

namespace {

// The offscreen platform warns on every fixed-size window; printing that is not the work
// measured.
void DropMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(DropMessages);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);  // the window's setting is not the user's
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
