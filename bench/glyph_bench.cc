// Reading a game's font: glyphs drawn with one typeface, cut to one bit, recognised against the
// characters of another typeface's design. Accuracy over 2,000 kanji and kana in a shuffled
// order, as counters (top1, top5: shares named right first and among the five best), at
// 16×16, 12×12 and 8×8; and the time to recognise 3,000 glyphs against every candidate of an
// EUC-JP table (about 7,000), the candidates' features made once beforehand.
//
// Pairs of typefaces: ORVANE_GLYPH_FONTS="GameFont:CandidateFont,..." (default IPAMincho's glyphs
// against IPAGothic's characters and the reverse).
#include "recognition/candidates.h"
#include "recognition/character_model.h"
#include "recognition/character_painter.h"
#include "recognition/recogniser.h"

#include <QGuiApplication>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>

namespace {

using namespace orvane;
using namespace Qt::Literals::StringLiterals;

constexpr int kAccuracyGlyphs = 2000;
constexpr int kSpeedGlyphs = 3000;

// Kana and kanji of JIS X 0208 (rows 4, 5 and 16 on) in a fixed shuffled order.
std::vector<char16_t> Shuffled(int count) {
  std::vector<char16_t> characters;
  const auto& cells = recognition::JisCells();
  for (size_t i = 0; i < cells.size(); ++i) {
    const auto row = i / recognition::kJisCellsPerRow + 1;
    if (cells[i] != 0 && (row == 4 || row == 5 || row >= 16)) characters.push_back(cells[i]);
  }
  QRandomGenerator random(27);
  std::shuffle(characters.begin(), characters.end(), random);
  characters.resize(static_cast<size_t>(count));
  return characters;
}

// Glyphs as a game keeps them: drawn small without smoothing, one bit a pixel.
std::vector<glyphs::GlyphPixels> GameGlyphs(const QString& family, int side,
                                            const std::vector<char16_t>& characters) {
  recognition::CharacterPainter painter(family, side, side, recognition::Rendering::kOneBit);
  std::vector<glyphs::GlyphPixels> result;
  for (const char16_t character : characters) {
    const recognition::InkImage image = painter.Draw(character);
    glyphs::GlyphPixels glyph(side, side);
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) glyph.Set(x, y, image.At(x, y) >= 0.5F ? 1 : 0);
    }
    result.push_back(std::move(glyph));
  }
  return result;
}

const recognition::CharacterModel& ModelFor(const QString& family, int side) {
  static std::map<std::pair<QString, int>, recognition::CharacterModel> models;
  auto found = models.find({family, side});
  if (found == models.end()) {
    auto model = recognition::CharacterModel::Build(
        family, side, side, recognition::CandidatesFor(text::Encoding::kEucJp));
    found = models.emplace(std::pair{family, side}, std::move(*model)).first;
  }
  return found->second;
}

void Accuracy(benchmark::State& state, const QString& game_font, const QString& font, int side) {
  const std::vector<char16_t> characters = Shuffled(kAccuracyGlyphs);
  const auto glyphs = GameGlyphs(game_font, side, characters);
  const recognition::CharacterModel& model = ModelFor(font, side);
  int first = 0;
  int five = 0;
  for (auto _ : state) {
    const auto results = recognition::RecogniseAll(model, glyphs, 5);
    first = five = 0;
    for (size_t i = 0; i < characters.size(); ++i) {
      const auto& best = (*results)[i].best;
      const auto at = std::find_if(best.begin(), best.end(), [&](const recognition::Match& m) {
        return m.character == characters[i];
      });
      if (qEnvironmentVariableIsSet("OR_DUMP") && at != best.begin()) {
        QString line = QString(QChar(characters[i])) + u" →"_s;
        for (const auto& m : best) line += u' ' + QString(QChar(m.character)) + QString::number(m.score, 'f', 3);
        fprintf(stderr, "%s\n", qPrintable(line));
      }
      first += at == best.begin() && !best.empty() ? 1 : 0;
      five += at != best.end() ? 1 : 0;
    }
  }
  state.counters["top1"] = 100.0 * first / kAccuracyGlyphs;
  state.counters["top5"] = 100.0 * five / kAccuracyGlyphs;
}

void Speed(benchmark::State& state, const QString& game_font, const QString& font) {
  constexpr int kSide = 16;
  const auto glyphs = GameGlyphs(game_font, kSide, Shuffled(kSpeedGlyphs));
  const recognition::CharacterModel& model = ModelFor(font, kSide);
  for (auto _ : state) benchmark::DoNotOptimize(recognition::RecogniseAll(model, glyphs, 5));
  state.counters["candidates"] = static_cast<double>(model.Count());
  state.counters["glyphs"] = kSpeedGlyphs;
}

void DropMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(DropMessages);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QString pairs = qEnvironmentVariable("ORVANE_GLYPH_FONTS");
  if (pairs.isEmpty()) pairs = u"IPAMincho:IPAGothic,IPAGothic:IPAMincho"_s;
  for (const QString& pair : pairs.split(u',')) {
    const QStringList fonts = pair.split(u':');
    if (fonts.size() != 2) continue;
    for (const int side : {16, 12, 8}) {
      const std::string name = u"Accuracy/%1/%2/%3"_s.arg(fonts[0], fonts[1]).arg(side).toStdString();
      benchmark::RegisterBenchmark(name.c_str(), Accuracy, fonts[0], fonts[1], side)
          ->Unit(benchmark::kMillisecond)
          ->Iterations(1);
    }
  }
  const QStringList first = pairs.split(u',').front().split(u':');
  if (first.size() == 2) {
    benchmark::RegisterBenchmark("Speed/3000x7000", Speed, first[0], first[1])
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
