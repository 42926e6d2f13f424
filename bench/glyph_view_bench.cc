// The Font tab's view: drawing a screen of 16×16 glyphs (1bpp, and 2bpp tiles), each with its
// code and the table's kanji under it, at zooms 1×, 4× and 8×, in a view of 1280×900. A screen
// should be drawn within a frame at 60 Hz (16 ms).
#include "data/block_reader.h"
#include "data/data_source.h"
#include "no_answers.h"
#include "session/session.h"
#include "ui/side/glyph_view.h"

#include <QImage>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

using orvane::bench::NoAnswers;

using namespace orvane;

void BM_DrawGlyphScreen(benchmark::State& state) {
  const auto zoom = static_cast<int>(state.range(0));
  const auto pixels =
      state.range(1) == 1 ? glyphs::PixelFormat::k1bpp : glyphs::PixelFormat::k2bppGb;
  QByteArray bytes(1 << 20, '\0');
  QRandomGenerator random(27);
  for (char& byte : bytes) byte = static_cast<char>(random.bounded(256));
  data::BytesSource source(bytes);
  data::BlockReader reader(&source, qint64{64} << 10);
  NoAnswers answers;
  session::Session session(answers);
  // Every code has a kanji, as a table nearly done has.
  for (quint32 value = 0x8000; value <= 0xFFFF; ++value) {
    session.Document().SetCellText(*model::Code::Make(value, 2), QByteArrayLiteral("\xE4\xBA\x9C"));
  }
  ui::side::GlyphView view(reader, session);
  view.resize(1280, 900);
  glyphs::FontLayout font;
  font.format.pixels = pixels;
  font.format.layout = glyphs::DefaultLayout(pixels);
  font.offset = 0x4000;
  font.first_code = *model::Code::Make(0x8000, 2);
  view.SetFont(font);
  view.SetZoom(zoom);
  QImage screen(view.viewport()->size(), QImage::Format_RGB32);
  qint64 glyphs_drawn = 0;
  for (auto _ : state) {
    view.viewport()->render(&screen);
    glyphs_drawn += view.VisibleGlyphs();
  }
  state.counters["glyphs"] =
      static_cast<double>(glyphs_drawn) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DrawGlyphScreen)
    ->ArgNames({"zoom", "bpp"})
    ->ArgsProduct({{1, 4, 8}, {1, 2}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
