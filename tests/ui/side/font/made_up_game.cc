// made_up_game FOLDER [FAMILY]: writes game.bin, game.tbl and expected.tbl of the made-up font
// into FOLDER, drawn with FAMILY (IPAMincho unless given). Draws offscreen.
#include "made_up_font.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: made_up_game FOLDER [FAMILY]\n");
    return 2;
  }
  const QString family = args.size() > 2 ? args[2] : QStringLiteral("IPAMincho");
  const orvane::testing::MadeUpFont font = orvane::testing::MakeFont(family);
  const QString folder = args[1] + u'/';
  return Write(folder + QStringLiteral("game.bin"), font.data) &&
                 Write(folder + QStringLiteral("game.tbl"), font.table) &&
                 Write(folder + QStringLiteral("expected.tbl"), font.expected)
             ? 0
             : 1;
}
