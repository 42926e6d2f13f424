#include "data/block_reader.h"

#include <QTest>

#include <limits>
#include <stop_token>

using namespace Qt::Literals::StringLiterals;
namespace data = orvane::data;
using Status = data::ScanEnd::Status;

namespace {

constexpr qint64 kToTheEnd = std::numeric_limits<qint64>::max();

// Bytes that say they are `claimed` long, count what is read of them, and fail from `fail_at`.
class TestSource final : public data::DataSource {
 public:
  explicit TestSource(QByteArray bytes, qint64 claimed = -1, qint64 fail_at = -1)
      : bytes_(std::move(bytes)),
        claimed_(claimed < 0 ? bytes_.size() : claimed),
        fail_at_(fail_at) {}
  [[nodiscard]] qint64 Size() const override { return claimed_; }
  [[nodiscard]] qint64 Read(qint64 offset, char* into, qint64 size) override {
    if (fail_at_ >= 0 && offset + size > fail_at_) return -1;
    const qint64 count = std::clamp<qint64>(bytes_.size() - offset, 0, size);
    std::copy_n(bytes_.constData() + offset, count, into);
    bytes_read += count;
    return count;
  }
  [[nodiscard]] QString ErrorString() const override { return u"Input/output error"_s; }

  qint64 bytes_read = 0;

 private:
  QByteArray bytes_;
  qint64 claimed_;
  qint64 fail_at_;
};

QByteArray Counting(int size) {
  QByteArray bytes(size, '\0');
  for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(i);
  return bytes;
}

}  // namespace

class BlockReaderTest : public QObject {
  Q_OBJECT

 private slots:
  void ScanGivesEveryByteOnceWithTheOverlapAgain_data();
  void ScanGivesEveryByteOnceWithTheOverlapAgain();
  void ScanSaysHowItEnded_data();
  void ScanSaysHowItEnded();
  void BytesAreReadOnceWhileHeld();
};

void BlockReaderTest::ScanGivesEveryByteOnceWithTheOverlapAgain_data() {
  QTest::addColumn<qint64>("block");
  QTest::addColumn<qint64>("overlap");
  QTest::addColumn<qint64>("from");
  QTest::addColumn<qint64>("end");
  QTest::newRow("one byte, overlap 3") << 1LL << 3LL << 0LL << kToTheEnd;
  QTest::newRow("one byte, no overlap") << 1LL << 0LL << 0LL << kToTheEnd;
  QTest::newRow("overlap larger than a block") << 3LL << 7LL << 5LL << kToTheEnd;
  QTest::newRow("blocks of 16 to an end") << 16LL << 4LL << 10LL << 90LL;
  QTest::newRow("one block") << 1000LL << 4LL << 0LL << kToTheEnd;
  QTest::newRow("nothing to read") << 16LL << 4LL << 100LL << kToTheEnd;
}

void BlockReaderTest::ScanGivesEveryByteOnceWithTheOverlapAgain() {
  QFETCH(qint64, block);
  QFETCH(qint64, overlap);
  QFETCH(qint64, from);
  QFETCH(qint64, end);
  const QByteArray bytes = Counting(100);
  TestSource source(bytes);
  data::BlockReader reader(&source, block, overlap);
  QByteArray fresh;
  qint64 last_end = from;
  int lasts = 0;
  const data::ScanEnd ended = reader.Scan(from, end, {}, [&](const data::Block& b) {
    QCOMPARE(b.Bytes(), QByteArrayView(bytes).sliced(b.start, b.size));
    // What came before again, as much of the overlap as there was, then new bytes only.
    QCOMPARE(b.start + b.fresh, last_end);
    QCOMPARE(b.fresh, std::min(overlap, last_end - from));
    fresh += b.Bytes().sliced(b.fresh);
    last_end = b.End();
    lasts += b.last ? 1 : 0;
  });
  QCOMPARE(ended.status, Status::kDone);
  const qint64 stop = std::min<qint64>(end, bytes.size());
  QCOMPARE(fresh, bytes.mid(from, std::max<qint64>(0, stop - from)));
  QCOMPARE(lasts, from < stop ? 1 : 0);
  QCOMPARE(source.bytes_read, std::max<qint64>(0, stop - from));
}

void BlockReaderTest::ScanSaysHowItEnded_data() {
  QTest::addColumn<qint64>("block");
  QTest::addColumn<qint64>("claimed");  // the size the source says it has
  QTest::addColumn<qint64>("fail_at");
  QTest::addColumn<int>("stop_after");  // blocks, or -1
  QTest::addColumn<Status>("status");
  QTest::addColumn<qint64>("read");  // to the end of the last block seen
  QTest::addColumn<bool>("last");    // whether the last block seen says so
  QTest::newRow("to the end") << 10LL << -1LL << -1LL << -1 << Status::kDone << 100LL << true;
  QTest::newRow("stopped after the block in hand")
      << 10LL << -1LL << -1LL << 2 << Status::kStopped << 20LL << false;
  // The data shrank while it was read: what is there is read, and its end is the last block.
  QTest::newRow("ended early within a block")
      << 7LL << 105LL << -1LL << -1 << Status::kEndedEarly << 100LL << true;
  QTest::newRow("ended early at a block's end")
      << 10LL << 110LL << -1LL << -1 << Status::kEndedEarly << 100LL << true;
  QTest::newRow("failed") << 10LL << -1LL << 35LL << -1 << Status::kFailed << 30LL << false;
}

void BlockReaderTest::ScanSaysHowItEnded() {
  QFETCH(qint64, block);
  QFETCH(qint64, claimed);
  QFETCH(qint64, fail_at);
  QFETCH(int, stop_after);
  TestSource source(Counting(100), claimed, fail_at);
  data::BlockReader reader(&source, block, 3);
  std::stop_source stop;
  int blocks = 0;
  data::Block seen;
  const data::ScanEnd ended =
      reader.Scan(0, kToTheEnd, stop.get_token(), [&](const data::Block& b) {
        seen = b;
        if (++blocks == stop_after) stop.request_stop();
      });
  QTEST(ended.status, "status");
  QTEST(seen.End(), "read");
  QTEST(seen.last, "last");
  QCOMPARE(ended.error, fail_at >= 0 ? u"Input/output error"_s : QString());
}

void BlockReaderTest::BytesAreReadOnceWhileHeld() {
  TestSource source(Counting(100));
  data::BlockReader reader(&source, 32);
  QCOMPARE(reader.Bytes(10, 8), QByteArrayView(Counting(100)).sliced(10, 8));
  QCOMPARE(source.bytes_read, 32);
  // Within what is held: no read. Past it: a block from there.
  QCOMPARE(reader.Bytes(12, 30).size(), 30);
  QCOMPARE(source.bytes_read, 32);
  QCOMPARE(reader.Bytes(40, 8).size(), 8);
  QCOMPARE(source.bytes_read, 64);
  // At the end of the data fewer come, and asking again reads nothing more.
  QCOMPARE(reader.Bytes(95, 10).size(), 5);
  QCOMPARE(reader.Bytes(98, 10).size(), 2);
  QCOMPARE(reader.Bytes(100, 10).size(), 0);
  QCOMPARE(source.bytes_read, 69);
  reader.Forget();
  QCOMPARE(reader.Bytes(98, 10).size(), 2);
  QCOMPARE(source.bytes_read, 71);
  reader.SetSource(nullptr);
  QCOMPARE(reader.Bytes(0, 10).size(), 0);
  QCOMPARE(reader.Size(), 0);
}

QTEST_GUILESS_MAIN(BlockReaderTest)
#include "block_reader_test.moc"
