#include "data/relative_search_job.h"
#include "made_up_data.h"

#include <QTest>

#include <cstring>

using namespace Qt::Literals::StringLiterals;
namespace data = orvane::data;

namespace {

constexpr qint64 kGigabyte = qint64{1} << 30;

// A gigabyte of zeros that is never held, each read counted.
class HugeSource final : public data::DataSource {
 public:
  HugeSource(std::atomic<int>& reads, std::atomic<qint64>& largest)
      : reads_(reads), largest_(largest) {}
  [[nodiscard]] qint64 Size() const override { return kGigabyte; }
  [[nodiscard]] qint64 Read(qint64 offset, char* into, qint64 size) override {
    const qint64 count = std::min(size, kGigabyte - offset);
    std::memset(into, 0, static_cast<size_t>(count));
    if (size > largest_) largest_ = size;
    ++reads_;
    return count;
  }

 private:
  std::atomic<int>& reads_;
  std::atomic<qint64>& largest_;
};

enum class Ending { kCancel, kStartAgain, kDestroy };

}  // namespace

class SearchJobTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryEndingStopsTheSearchAfterTheBlockInHand_data();
  void EveryEndingStopsTheSearchAfterTheBlockInHand();
};

void SearchJobTest::EveryEndingStopsTheSearchAfterTheBlockInHand_data() {
  QTest::addColumn<Ending>("ending");
  QTest::newRow("Cancel") << Ending::kCancel;
  QTest::newRow("a search started again") << Ending::kStartAgain;
  QTest::newRow("the job destroyed") << Ending::kDestroy;
}

void SearchJobTest::EveryEndingStopsTheSearchAfterTheBlockInHand() {
  QFETCH(Ending, ending);
  const auto query = data::MakeQuery(u"HERO"_s, std::nullopt, data::ValueSize::k16Le).query;
  std::atomic<int> reads = 0;
  std::atomic<qint64> largest = 0;
  std::atomic<qint64> total = 0;
  // Each search's result, in the order they came: one search's end comes before the next starts.
  std::vector<data::SearchResult> results;
  const auto record = [&results](data::SearchResult result) {
    results.push_back(std::move(result));
  };
  auto job = std::make_unique<data::SearchJob>();
  job->Start(*query, std::make_unique<HugeSource>(reads, largest), record,
             [&total](qint64, qint64 size) { total = size; });
  QTRY_VERIFY(reads >= 2);
  const int reads_at_end = reads;
  if (ending == Ending::kCancel) job->Cancel();
  if (ending == Ending::kStartAgain) {
    job->Start(
        *query,
        std::make_unique<data::BytesSource>(orvane::testing::MadeUpData(data::ValueSize::k16Le)),
        record);
  }
  if (ending == Ending::kDestroy) job.reset();
  if (job) job->Wait();
  QVERIFY(reads - reads_at_end <= 1);
  QVERIFY(largest <= data::kSearchBlock);
  QCOMPARE(total, kGigabyte);
  QCOMPARE(results.size(), ending == Ending::kStartAgain ? size_t{2} : size_t{1});
  QVERIFY(results[0].cancelled);
  QVERIFY(results[0].candidates.empty());
  if (ending == Ending::kStartAgain) {
    QVERIFY(!results[1].cancelled);
    QCOMPARE(results[1].candidates.front().hits, 3);
  }
  QVERIFY(!job || !job->Running());
}

QTEST_GUILESS_MAIN(SearchJobTest)
#include "search_job_test.moc"
