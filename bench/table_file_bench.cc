// Load and save of a full table, and of generated files of 1 to 200 MB against a reference
// that only reads the file and counts its lines: load and save should grow with the file and
// loading should reach at least half the reference's throughput.
#include "model/table_document.h"
#include "model/table_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <map>

namespace {

using orvane::model::TableDocument;

constexpr qint64 kMegabyte = qint64{1024} * 1024;

QTemporaryDir& Folder() {
  static QTemporaryDir folder;
  return folder;
}

QString WriteOnce(const QString& name, const QByteArray& bytes) {
  QString path = Folder().filePath(name);
  if (!QFile::exists(path)) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::abort();
  }
  return path;
}

void FillFullTable(TableDocument& document) {
  for (int code = 0; code < orvane::model::kCodeCount; ++code) {
    document.SetCellText(static_cast<quint8>(code), "text " + QByteArray::number(code));
  }
  for (int slot = 0; slot < orvane::model::kSlotCount; ++slot) {
    (void)document.SetBookmark(slot, slot * 0x1000, "bookmark " + QByteArray::number(slot));
    (void)document.SetExtraLine(slot, "extra line " + QByteArray::number(slot));
  }
}

QString FullTableFile() {
  TableDocument document;
  FillFullTable(document);
  return WriteOnce(QStringLiteral("full.tbl"), orvane::model::TableToBytes(document));
}

// Code entries with texts of 1 to 24 bytes, cycling through the codes, up to `megabytes`.
QString CodeEntryFile(qint64 megabytes) {
  static std::map<qint64, QString> files;
  auto& path = files[megabytes];
  if (!path.isEmpty()) return path;
  QByteArray bytes;
  bytes.reserve(megabytes * kMegabyte + 64);
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (int line = 0; bytes.size() < megabytes * kMegabyte; ++line) {
    const int code = line & 0xFF;
    bytes.append(kDigits[code >> 4]).append(kDigits[code & 0xF]).append('=');
    bytes.append(QByteArrayView("abcdefghijklmnopqrstuvwx").first(1 + line % 24)).append("\r\n");
  }
  path = WriteOnce(QStringLiteral("codes_%1.tbl").arg(megabytes), bytes);
  return path;
}

// `lines` two-byte code lines (extra lines to this format), then the 256 one-byte codes, as
// the large real tables are. The texts are letters, or Shift-JIS kanji when `kanji` is set.
QString TwoByteCodeFile(qint64 lines, bool kanji) {
  static std::map<std::pair<qint64, bool>, QString> files;
  auto& path = files[{lines, kanji}];
  if (!path.isEmpty()) return path;
  QByteArray bytes;
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (qint64 line = 0; line < lines; ++line) {
    const auto code = static_cast<int>(0x8140 + line % 0x6000);
    for (int shift : {12, 8, 4, 0}) bytes.append(kDigits[(code >> shift) & 0xF]);
    bytes.append('=');
    if (kanji) {
      bytes.append(static_cast<char>(0x88 + line % 20)).append(static_cast<char>(0x9F + line % 90));
    } else {
      bytes.append(QByteArrayView("abcdefghijklmnopqrstuvwx").first(1 + line % 24));
    }
    bytes.append("\r\n");
  }
  for (int code = 0; code < orvane::model::kCodeCount; ++code) {
    bytes.append(kDigits[code >> 4]).append(kDigits[code & 0xF]).append("=x\r\n");
  }
  path = WriteOnce(QStringLiteral("two_byte_%1_%2.tbl").arg(lines).arg(kanji), bytes);
  return path;
}

void LoadFile(benchmark::State& state, const QString& path) {
  for (auto _ : state) {
    TableDocument document;
    if (orvane::model::LoadTable(document, path)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(document);
  }
  state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

void BM_LoadFullTable(benchmark::State& state) { LoadFile(state, FullTableFile()); }

void BM_SaveFullTable(benchmark::State& state) {
  TableDocument document;
  FillFullTable(document);
  const QString path = Folder().filePath(QStringLiteral("saved_full.tbl"));
  for (auto _ : state) {
    if (orvane::model::SaveTable(document, path)) state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

void BM_LoadCodeEntries(benchmark::State& state) { LoadFile(state, CodeEntryFile(state.range(0))); }

void BM_LoadTwoByteCodes(benchmark::State& state) {
  LoadFile(state, TwoByteCodeFile(state.range(0), false));
}

void BM_LoadTwoByteKanji(benchmark::State& state) {
  LoadFile(state, TwoByteCodeFile(state.range(0), true));
}

// What any reader of the file has to pay at least.
void ReadAndCountLines(benchmark::State& state, const QString& path) {
  for (auto _ : state) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) state.SkipWithError("open failed");
    const QByteArray bytes = file.readAll();
    benchmark::DoNotOptimize(std::count(bytes.begin(), bytes.end(), '\n'));
  }
  state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

void BM_ReadAndCountLines(benchmark::State& state) {
  ReadAndCountLines(state, CodeEntryFile(state.range(0)));
}

void BM_ReadAndCountTwoByteCodes(benchmark::State& state) {
  ReadAndCountLines(state, TwoByteCodeFile(state.range(0), false));
}

void BM_ReadAndCountTwoByteKanji(benchmark::State& state) {
  ReadAndCountLines(state, TwoByteCodeFile(state.range(0), true));
}

// 256 cells sharing `megabytes` of text, so the saved file has that size.
void BM_SaveLargeTable(benchmark::State& state) {
  TableDocument document;
  const qsizetype per_cell = state.range(0) * kMegabyte / orvane::model::kCodeCount;
  for (int code = 0; code < orvane::model::kCodeCount; ++code) {
    document.SetCellText(static_cast<quint8>(code), QByteArray(per_cell, 'x'));
  }
  const QString path = Folder().filePath(QStringLiteral("saved_large.tbl"));
  for (auto _ : state) {
    if (orvane::model::SaveTable(document, path)) state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

// The same save without the disk: what the writer itself costs.
void BM_TableToBytes(benchmark::State& state) {
  TableDocument document;
  const qsizetype per_cell = state.range(0) * kMegabyte / orvane::model::kCodeCount;
  for (int code = 0; code < orvane::model::kCodeCount; ++code) {
    document.SetCellText(static_cast<quint8>(code), QByteArray(per_cell, 'x'));
  }
  qsizetype size = 0;
  for (auto _ : state) {
    const QByteArray bytes = orvane::model::TableToBytes(document);
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * size);
}

// A save of a table of `lines` lines as a plain file: canonical, or in the file's own layout with
// one code changed. The layout should cost at most twice the canonical save.
void SaveTwoByteTable(benchmark::State& state, orvane::model::SaveLayout layout) {
  TableDocument document;
  if (orvane::model::LoadTable(document, TwoByteCodeFile(state.range(0), true))) {
    state.SkipWithError("load failed");
  }
  document.SetCellText(0x41, "changed");
  qsizetype size = 0;
  for (auto _ : state) {
    const QByteArray bytes = orvane::model::TableToBytes(document, layout);
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * size);
}

void BM_SaveCanonical(benchmark::State& state) {
  SaveTwoByteTable(state, orvane::model::SaveLayout::kCanonical);
}

void BM_SaveKeepingLayout(benchmark::State& state) {
  SaveTwoByteTable(state, orvane::model::SaveLayout::kKeepFile);
}

}  // namespace

BENCHMARK(BM_SaveCanonical)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveKeepingLayout)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFullTable);
BENCHMARK(BM_SaveFullTable);
BENCHMARK(BM_LoadCodeEntries)->Arg(1)->Arg(10)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndCountLines)->Arg(1)->Arg(10)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTwoByteCodes)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAndCountTwoByteCodes)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadTwoByteKanji)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAndCountTwoByteKanji)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveLargeTable)->Arg(1)->Arg(10)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableToBytes)->Arg(1)->Arg(10)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
