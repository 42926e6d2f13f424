// The check of a whole table of 60,000 codes, as `orvane-tbl lint` and Tools › Check Table run
// it: a Shift-JIS-like table of two-byte codes, one in ten a word of several characters, some
// texts shared. It should take well under a second.
#include "check/table_check.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kCodes = 60000;

QByteArray LargeTable() {
  QByteArray table = "/FF\n*FE\n";
  table.reserve(qsizetype{kCodes} * 12);
  for (int i = 0; i < kCodes; ++i) {
    const int code = 0x8140 + (i / 192) * 256 + i % 192;
    // A character of the kanji rows, in UTF-8; a word now and then, and a character twice.
    const QString character(QChar(static_cast<char16_t>(0x4E00 + i % 20000)));
    QString text = i % 10 == 0 ? character + QChar(static_cast<char16_t>(0x4E00 + (i * 7) % 20000))
                               : character;
    table += QByteArray::number(code, 16).toUpper() + '=' + text.toUtf8() + '\n';
  }
  return table;
}

void BM_CheckLargeTable(benchmark::State& state) {
  const QByteArray table = LargeTable();
  qsizetype findings = 0;
  for (auto _ : state) {
    const auto result = orvane::check::CheckTable(table, {});
    findings = result.findings.size();
    benchmark::DoNotOptimize(findings);
  }
  state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckLargeTable)->Unit(benchmark::kMillisecond);

}  // namespace
