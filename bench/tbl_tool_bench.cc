// orvane-tbl show and convert to UTF-8 on a 50 MB Shift-JIS table of 5 million lines of
// two-byte characters, beside iconv converting the same file from code page 932 where it is
// installed: show and convert should stay within three times iconv's time (convert's against
// iconv writing a file and syncing it, as a save does). And encode on a table whose codes
// overlap in 8,000 ways, of a text no bytes spell that read back: under 1 s for 100 characters,
// under 10 s for 1,000.
#include "tbl_tool.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int kLines = 5'000'000;

QTemporaryDir& Folder() {
  static QTemporaryDir folder;
  return folder;
}

// Four hiragana and kanji a line (82 9F..F1, 89 and 90 rows), and CR LF: ten bytes a line.
const QString& ShiftJisTable() {
  static const QString path = [] {
    QByteArray bytes;
    bytes.reserve(qsizetype{kLines} * 10);
    for (int line = 0; line < kLines; ++line) {
      for (int i = 0; i < 4; ++i) {
        const int n = line * 4 + i;
        bytes.append(static_cast<char>(0x82 + n % 3 * 7)).append(static_cast<char>(0x9F + n % 83));
      }
      bytes.append("\r\n");
    }
    QString name = Folder().filePath(QStringLiteral("sjis.tbl"));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::abort();
    return name;
  }();
  return path;
}

// iconv from code page 932 to UTF-8, into `to`: the reference for show (to /dev/null) and, with
// the file synced to disk as a save does, for convert.
void RunIconv(benchmark::State& state, const QByteArray& to) {
  const QByteArray command =
      "iconv -f CP932 -t UTF-8 '" + ShiftJisTable().toLocal8Bit() + "' > " + to + " 2>/dev/null";
  for (auto _ : state) {
    if (pclose(popen(command.constData(), "r")) != 0) {
      state.SkipWithError("iconv is not installed or cannot read code page 932");
      return;
    }
  }
}

void BM_Iconv(benchmark::State& state) { RunIconv(state, "/dev/null"); }

void BM_IconvToSyncedFile(benchmark::State& state) {
  const QByteArray out = Folder().filePath(QStringLiteral("iconv.tbl")).toLocal8Bit();
  RunIconv(state, "'" + out + "' && sync '" + out + "'");
}

void BM_Show(benchmark::State& state) {
  for (auto _ : state) {
    const auto result = orvane::tools::RunTblTool({QStringLiteral("show"), ShiftJisTable()});
    if (result.exit_code != 0) state.SkipWithError(result.err.constData());
    benchmark::DoNotOptimize(result.out.size());
  }
}

void BM_ConvertToUtf8(benchmark::State& state) {
  const QString out = Folder().filePath(QStringLiteral("utf8.tbl"));
  for (auto _ : state) {
    const auto result = orvane::tools::RunTblTool(
        {QStringLiteral("convert"), ShiftJisTable(), out, QStringLiteral("UTF-8")});
    if (result.exit_code != 0) state.SkipWithError(result.err.constData());
  }
}

// 20 codes reading "a" (01 to 14), 15=b, and the 8,000 codes of three of those and 15, each
// reading "Z": every "a...ab" spells as bytes whose last four read back as "Z".
const QString& OverlappingTable() {
  static const QString path = [] {
    QByteArray table;
    const auto hex = [](int byte) { return QByteArray::number(byte, 16).rightJustified(2, '0'); };
    for (int a = 1; a <= 20; ++a) table += hex(a) + "=a\n";
    table += "15=b\n";
    for (int code = 0; code < 8000; ++code) {
      table += hex(code / 400 + 1) + hex(code / 20 % 20 + 1) + hex(code % 20 + 1) + "15=Z\n";
    }
    QString name = Folder().filePath(QStringLiteral("overlapping.tbl"));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(table) != table.size()) std::abort();
    return name;
  }();
  return path;
}

void BM_EncodeOverlappingCodes(benchmark::State& state) {
  const QString text = QString(state.range(0), u'a') + u'b';
  for (auto _ : state) {
    const auto result =
        orvane::tools::RunTblTool({QStringLiteral("encode"), OverlappingTable(), text});
    if (result.exit_code != 1) state.SkipWithError("bytes that read back were found");
  }
}

}  // namespace

BENCHMARK(BM_EncodeOverlappingCodes)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_Iconv)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_IconvToSyncedFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Show)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ConvertToUtf8)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
