// Reading a game's font: glyphs drawn with one typeface, cut to one bit, recognised against the
// characters of another typeface's design. Accuracy over 2,000 kanji and kana in a shuffled
// order, as counters (top1, top5: shares named right first and among the five best), at
// 16×16, 12×12 and 8×8; and the time to recognise 3,000 glyphs against every candidate of an
// EUC-JP table (about 7,000), the candidates' features made once beforehand; and the time to
// fit the JIS order from five known glyphs.
//
// Pairs of typefaces: ORVANE_GLYPH_FONTS="GameFont:CandidateFont,..." (default IPAMincho's glyphs
// against IPAGothic's characters and the reverse); the speed uses the first pair. Each
// accuracy run's label names its pair and size; its arguments are the pair's place and the size.
#include "recognition/candidates.h"
#include "recognition/character_model.h"
#include "recognition/character_painter.h"
#include "recognition/fit_order.h"
#include "recognition/recogniser.h"

#include <QGuiApplication>
#include <QRandomGenerator>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdlib>
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
    if (!model) std::abort();
    found = models.emplace(std::pair{family, side}, std::move(*model)).first;
  }
  return found->second;
}

struct FontPair {
  QString game;
  QString candidates;
};

const std::vector<FontPair>& Pairs() {
  static const std::vector<FontPair> pairs = [] {
    QString given = qEnvironmentVariable("ORVANE_GLYPH_FONTS");
    if (given.isEmpty()) given = u"IPAMincho:IPAGothic,IPAGothic:IPAMincho"_s;
    std::vector<FontPair> all;
    for (const QString& pair : given.split(u',')) {
      const QStringList fonts = pair.split(u':');
      if (fonts.size() == 2) all.push_back({fonts[0], fonts[1]});
    }
    return all;
  }();
  return pairs;
}

void EachPairAndSize(benchmark::internal::Benchmark* benchmark) {
  for (size_t pair = 0; pair < Pairs().size(); ++pair) {
    for (const int side : {16, 12, 8}) benchmark->Args({static_cast<int64_t>(pair), side});
  }
}

bool Named(const recognition::Recognition& read, char16_t character, size_t within) {
  const auto end =
      read.best.begin() + static_cast<std::ptrdiff_t>(std::min(within, read.best.size()));
  return std::any_of(read.best.begin(), end,
                     [&](const recognition::Match& m) { return m.character == character; });
}

void BM_Accuracy(benchmark::State& state) {
  const FontPair& fonts = Pairs()[static_cast<size_t>(state.range(0))];
  const auto side = static_cast<int>(state.range(1));
  state.SetLabel(u"%1 glyphs, %2 characters, %3×%3"_s.arg(fonts.game, fonts.candidates)
                     .arg(side)
                     .toStdString());
  const std::vector<char16_t> characters = Shuffled(kAccuracyGlyphs);
  const auto glyphs = GameGlyphs(fonts.game, side, characters);
  const recognition::CharacterModel& model = ModelFor(fonts.candidates, side);
  int first = 0;
  int five = 0;
  for (auto _ : state) {
    const auto results = recognition::RecogniseAll(model, glyphs, 5);
    first = five = 0;
    for (size_t i = 0; i < characters.size(); ++i) {
      first += Named((*results)[i], characters[i], 1) ? 1 : 0;
      five += Named((*results)[i], characters[i], 5) ? 1 : 0;
    }
  }
  state.counters["top1"] = 100.0 * first / kAccuracyGlyphs;
  state.counters["top5"] = 100.0 * five / kAccuracyGlyphs;
}
BENCHMARK(BM_Accuracy)->Apply(EachPairAndSize)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Speed(benchmark::State& state) {
  constexpr int kSide = 16;
  const FontPair& fonts = Pairs().front();
  const auto glyphs = GameGlyphs(fonts.game, kSide, Shuffled(kSpeedGlyphs));
  const recognition::CharacterModel& model = ModelFor(fonts.candidates, kSide);
  for (auto _ : state) benchmark::DoNotOptimize(recognition::RecogniseAll(model, glyphs, 5));
  state.counters["candidates"] = static_cast<double>(model.Count());
  state.counters["glyphs"] = kSpeedGlyphs;
}
BENCHMARK(BM_Speed)->Unit(benchmark::kMillisecond)->Iterations(1);

// Fitting the order of a font kept in JIS order from its first kanji, 3,000 glyphs, from five
// glyphs known far apart; `faults` counts the glyphs the fit names wrong.
void BM_FitOrder(benchmark::State& state) {
  std::vector<char16_t> font = recognition::OrderCharacters(recognition::FontOrder::kJis, {});
  font.erase(font.begin(), std::find(font.begin(), font.end(), u'亜'));
  font.resize(kSpeedGlyphs);
  std::vector<recognition::KnownGlyph> known;
  for (const qint64 at : {3, 611, 1250, 1999, 2990})
    known.push_back({at, font[static_cast<size_t>(at)]});
  std::vector<recognition::Recognition> read;
  read.reserve(font.size());
  for (const char16_t character : font) read.push_back({true, {{character, 0.9F}}});
  int faults = 0;
  for (auto _ : state) {
    const auto fit = recognition::FitOrder(known, kSpeedGlyphs, read);
    faults = 0;
    for (size_t i = 0; i < font.size(); ++i) faults += fit->characters[i] != font[i] ? 1 : 0;
  }
  state.counters["faults"] = faults;
}
BENCHMARK(BM_FitOrder)->Unit(benchmark::kMillisecond);

void DropMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(DropMessages);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
