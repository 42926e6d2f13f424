// Relative search of a word in 32 MB of data read from a file, against a reference that reads the
// same file in the same blocks and counts its bytes: single bytes should reach 300 MB/s, each
// 16-bit byte order (both alignments at once) under half a second for the 32 MB. With hits
// spread through the data, the cost should grow with the data alone, whatever the hits.
#include "data/relative_search.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <map>

namespace {

namespace data = orvane::data;

constexpr qint64 kDataSize = qint64{32} << 20;

QTemporaryDir& Folder() {
  static QTemporaryDir folder;
  return folder;
}

// Random bytes with "HERO" (A at 41) written in `hits` times, evenly spread.
QString DataFile(qint64 hits) {
  static std::map<qint64, QString> files;
  QString& path = files[hits];
  if (!path.isEmpty()) return path;
  QByteArray bytes(kDataSize, '\0');
  QRandomGenerator random(7);
  random.fillRange(reinterpret_cast<quint32*>(bytes.data()), kDataSize / 4);
  for (qint64 hit = 0; hit < hits; ++hit) {
    bytes.replace(hit * (kDataSize / hits), 4, "HERO");
  }
  path = Folder().filePath(QStringLiteral("data_%1.bin").arg(hits));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::abort();
  return path;
}

// What any search has to pay at least: the file read in the search's blocks, every byte seen.
void BM_ReadAndCount(benchmark::State& state) {
  const QString path = DataFile(0);
  QByteArray block(data::kSearchBlock, '\0');
  for (auto _ : state) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) state.SkipWithError("open failed");
    qint64 count = 0;
    for (qint64 got; (got = file.read(block.data(), block.size())) > 0;) {
      count += std::count(block.cbegin(), block.cbegin() + got, 'A');
    }
    benchmark::DoNotOptimize(count);
  }
  state.SetBytesProcessed(state.iterations() * kDataSize);
}

void SearchFile(benchmark::State& state, data::ValueSize values, qint64 hits) {
  const QString path = DataFile(hits);
  const auto query = data::MakeQuery(QStringLiteral("HERO"), std::nullopt, values).query;
  for (auto _ : state) {
    const data::OpenedSource opened = data::FileSource::Open(path);
    if (!opened.source) state.SkipWithError("open failed");
    const data::SearchResult result = data::Search(*query, *opened.source, std::stop_token());
    if (values == data::ValueSize::k8 && hits > 0 && result.candidates.front().hits < hits) {
      state.SkipWithError("hits missed");
    }
    benchmark::DoNotOptimize(result.candidates.data());
  }
  state.SetBytesProcessed(state.iterations() * kDataSize);
}

void BM_Search8(benchmark::State& state) { SearchFile(state, data::ValueSize::k8, state.range(0)); }

void BM_Search16Be(benchmark::State& state) { SearchFile(state, data::ValueSize::k16Be, 0); }

void BM_Search16Le(benchmark::State& state) { SearchFile(state, data::ValueSize::k16Le, 0); }

}  // namespace

BENCHMARK(BM_ReadAndCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search8)->Arg(0)->Arg(1000)->Arg(100000)->Arg(4000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search16Be)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search16Le)->Unit(benchmark::kMillisecond);
