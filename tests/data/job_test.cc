// The job every long piece of work runs in, here with a relative search over a gigabyte that is
// never held: each way of ending it stops the work after the block in hand.
#include "data/job.h"

#include "data/relative_search.h"
#include "made_up_data.h"

#include <QTest>

#include <condition_variable>
#include <cstring>
#include <future>
#include <mutex>
#include <stop_token>

using namespace Qt::Literals::StringLiterals;
namespace data = orvane::data;

namespace {

constexpr qint64 kGigabyte = qint64{1} << 30;

// A gigabyte of zeros whose second read says it has begun and then waits until the work is
// asked to stop, so that the test ends the work at a known read, whatever the machine's speed.
class GatedSource final : public data::DataSource {
 public:
  GatedSource(std::stop_token stop, std::promise<void>& reached, std::atomic<int>& reads)
      : stop_(std::move(stop)), reached_(reached), reads_(reads) {}
  [[nodiscard]] qint64 Size() const override { return kGigabyte; }
  [[nodiscard]] qint64 Read(qint64 offset, char* into, qint64 size) override {
    if (size > data::kSearchBlock) return -1;
    if (++reads_ == 2) {
      reached_.set_value();
      std::mutex mutex;
      std::condition_variable_any stopped;
      std::unique_lock lock(mutex);
      stopped.wait(lock, stop_, [] { return false; });
    }
    const qint64 count = std::min(size, kGigabyte - offset);
    std::memset(into, 0, static_cast<size_t>(count));
    return count;
  }

 private:
  std::stop_token stop_;
  std::promise<void>& reached_;
  std::atomic<int>& reads_;
};

enum class Ending { kCancel, kStartAgain, kDestroy };

}  // namespace

class JobTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryEndingStopsTheWorkAfterTheBlockInHand_data();
  void EveryEndingStopsTheWorkAfterTheBlockInHand();
  void ProgressComesByTheThousandth();
};

void JobTest::EveryEndingStopsTheWorkAfterTheBlockInHand_data() {
  QTest::addColumn<Ending>("ending");
  QTest::newRow("Cancel") << Ending::kCancel;
  QTest::newRow("work started again") << Ending::kStartAgain;
  QTest::newRow("the job destroyed") << Ending::kDestroy;
}

void JobTest::EveryEndingStopsTheWorkAfterTheBlockInHand() {
  QFETCH(Ending, ending);
  const auto query = data::MakeQuery(u"HERO"_s, std::nullopt, data::ValueSize::k16Le).query;
  std::promise<void> reached;
  std::atomic<int> reads = 0;
  std::atomic<qint64> total = 0;
  // Each work's result, in the order they came: one's end comes before the next starts.
  std::vector<data::SearchResult> results;
  const auto record = [&results](data::SearchResult result) {
    results.push_back(std::move(result));
  };
  auto job = std::make_unique<data::Job<data::SearchResult>>();
  job->Start(
      [&](data::JobControl& control) {
        GatedSource source(control.StopToken(), reached, reads);
        return data::Search(*query, source, control.StopToken(), control.Reporter());
      },
      record, [&total](qint64, qint64 size) { total = size; });
  reached.get_future().wait();
  if (ending == Ending::kCancel) job->Cancel();
  if (ending == Ending::kStartAgain) {
    job->Start(
        [&](data::JobControl& control) {
          data::BytesSource source(orvane::testing::MadeUpData(data::ValueSize::k16Le));
          return data::Search(*query, source, control.StopToken());
        },
        record);
  }
  if (ending == Ending::kDestroy) job.reset();
  if (job) job->Wait();
  QCOMPARE(reads.load(), 2);
  QCOMPARE(total.load(), kGigabyte);
  QCOMPARE(results.size(), ending == Ending::kStartAgain ? size_t{2} : size_t{1});
  QVERIFY(results[0].cancelled);
  QVERIFY(results[0].candidates.empty());
  if (ending == Ending::kStartAgain) {
    QVERIFY(!results[1].cancelled);
    QCOMPARE(results[1].candidates.front().hits, 3);
  }
  QVERIFY(!job || !job->Running());
}

void JobTest::ProgressComesByTheThousandth() {
  std::atomic<int> reports = 0;
  std::atomic<qint64> last = 0;
  int result = 0;
  data::Job<int> job;
  job.Start(
      [](data::JobControl& control) {
        for (qint64 done = 1; done <= 1'000'000; ++done) control.Report(done, 1'000'000);
        return 7;
      },
      [&result](int value) { result = value; },
      [&](qint64 done, qint64) {
        ++reports;
        last = done;
      });
  job.Wait();
  QCOMPARE(result, 7);
  QCOMPARE(reports.load(), 1001);  // the first, then one a thousandth
  QCOMPARE(last.load(), 1'000'000);
  QVERIFY(!job.Running());
}

QTEST_GUILESS_MAIN(JobTest)
#include "job_test.moc"
