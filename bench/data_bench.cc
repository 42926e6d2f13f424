// A game's data read through a table of 256 single-byte and 7,000 two-byte codes, Find, and the
// bytes of typed texts of 1,000 to 100,000 characters, against a reference that only reads the
// same file and counts its bytes: reading should reach 100 MB/s, Find 1 GB/s, and making bytes
// should grow linearly with the text. A typed cell costs the lookup a few pages, whatever the
// table's size: well under a millisecond on 100,000 codes.
#include "data/data_source.h"
#include "data/document_lookup.h"
#include "data/find_bytes.h"
#include "data/string_reader.h"
#include "data/text_encoder.h"
#include "model/table_document.h"
#include "model/table_file.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using orvane::data::CodeLookup;

constexpr qint64 kDataSize = qint64{64} << 20;
constexpr int kTwoByteCodes = 7000;

// 255 letters and an end mark on the single bytes; 7,000 kanji on two bytes led by 88..C4.
QByteArray TableBytes() {
  QByteArray table;
  for (int code = 0; code < 0xFF; ++code) {
    table.append(QByteArray::number(code, 16).rightJustified(2, '0').toUpper()).append('=');
    table.append(static_cast<char>('A' + code % 26)).append("\r\n");
  }
  table.append("/FF=[end]\r\n");
  for (int i = 0; i < kTwoByteCodes; ++i) {
    const int code = (0x88 + i / 189) << 8 | (0x40 + i % 189);
    table.append(QByteArray::number(code, 16).toUpper()).append('=');
    table.append(QString(QChar(static_cast<char16_t>(0x4E00 + i))).toUtf8()).append("\r\n");
  }
  return table;
}

struct Fixture {
  QTemporaryDir folder;
  QString data_path = folder.filePath(QStringLiteral("data.bin"));
  orvane::model::TableDocument document;
  CodeLookup lookup;

  Fixture() {
    if (orvane::model::LoadTableFromBytes(document, TableBytes())) std::abort();
    lookup.Build(document);
    QByteArray data(kDataSize, Qt::Uninitialized);
    QRandomGenerator random(19);
    random.fillRange(reinterpret_cast<quint32*>(data.data()), data.size() / 4);
    QFile file(data_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) std::abort();
  }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_ReadAndCountBytes(benchmark::State& state) {
  const Fixture& fixture = Shared();
  for (auto _ : state) {
    QFile file(fixture.data_path);
    if (!file.open(QIODevice::ReadOnly)) state.SkipWithError("open failed");
    QByteArray block(qsizetype{1} << 20, Qt::Uninitialized);
    qint64 count = 0;
    for (qint64 got = 0; (got = file.read(block.data(), block.size())) > 0;) count += got;
    benchmark::DoNotOptimize(count);
  }
  state.SetBytesProcessed(state.iterations() * kDataSize);
}

void BM_ReadThroughTable(benchmark::State& state) {
  const Fixture& fixture = Shared();
  const orvane::data::OpenedSource file = orvane::data::FileSource::Open(fixture.data_path);
  if (!file.source) state.SkipWithError("open failed");
  for (auto _ : state) {
    qsizetype characters = 0;
    (void)orvane::data::ReadFileStrings(
        fixture.lookup, *file.source, 0, -1, orvane::data::LineBreaks::kMarker,
        [&characters](orvane::data::ReadString&& string) { characters += string.text.size(); });
    benchmark::DoNotOptimize(characters);
  }
  state.SetBytesProcessed(state.iterations() * kDataSize);
}

void BM_FindInFile(benchmark::State& state) {
  const Fixture& fixture = Shared();
  for (auto _ : state) {
    const auto result = orvane::data::FindInFile(fixture.data_path, "\x88\x40\x88\x41\xFF");
    benchmark::DoNotOptimize(result.total);
  }
  state.SetBytesProcessed(state.iterations() * kDataSize);
}

// A text of `length` characters spelled by the table's codes, letters and kanji mixed.
QString TextOf(qsizetype length) {
  QString text;
  QRandomGenerator random(20);
  while (text.size() < length) {
    if (random.bounded(3) == 0) {
      text += QChar(static_cast<char16_t>(0x4E00 + random.bounded(kTwoByteCodes)));
    } else {
      text += QChar(static_cast<char16_t>(u'A' + random.bounded(26)));
    }
  }
  return text;
}

void BM_EncodeText(benchmark::State& state) {
  const Fixture& fixture = Shared();
  const QString text = TextOf(state.range(0));
  const orvane::data::TextEncoder encoder(fixture.lookup);
  for (auto _ : state) {
    const auto result = encoder.Encode(text);
    if (result.bytes.isEmpty()) state.SkipWithError("no bytes");
    benchmark::DoNotOptimize(result.bytes.data());
  }
  state.SetComplexityN(state.range(0));
}

// One typed cell on a table of 100,000 two-byte codes: the lookup the window reads follows it.
void BM_LookupFollowsATypedCell(benchmark::State& state) {
  QByteArray table;
  for (int i = 0; i < 100000; ++i) {
    table.append(QByteArray::number(0x0100 + i, 16).rightJustified(4, '0')).append("=a\n");
  }
  orvane::model::TableDocument document;
  if (orvane::model::LoadTableFromBytes(document, table)) std::abort();
  const orvane::data::DocumentLookup lookup(document);
  const auto code = *orvane::model::Code::FromHex("4242");
  bool flip = false;
  for (auto _ : state) {
    document.SetCellText(code, (flip = !flip) ? "b" : "c");
    benchmark::DoNotOptimize(lookup.Lookup().Count());
  }
}

}  // namespace

BENCHMARK(BM_LookupFollowsATypedCell)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAndCountBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadThroughTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindInFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeText)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);
