// A bare Qt main window holding an empty 17 x 17 table: what any such editor costs to start, for
// startup_process.sh to hold the editor against.
#include <QApplication>
#include <QMainWindow>
#include <QTableWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Reference"));
  window.setCentralWidget(new QTableWidget(17, 17, &window));
  window.show();
  return QApplication::exec();
}
