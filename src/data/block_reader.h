#pragma once

#include "data/data_source.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <stop_token>

namespace orvane::data {

// A run of the data in memory: `size` bytes from `start`. The bytes before `fresh` are the last
// ones of the block before, held again so that what straddles the two is whole in this one;
// `last` marks the block that reaches the end.
struct Block {
  const char* data = nullptr;
  qint64 start = 0;
  qint64 size = 0;
  qint64 fresh = 0;
  bool last = false;

  [[nodiscard]] qint64 End() const { return start + size; }
  [[nodiscard]] QByteArrayView Bytes() const { return {data, size}; }
};

// How a scan ended: at the end, stopped on request, on data that ended before its size said (it
// changed while it was read), or on a read the system refused.
struct ScanEnd {
  enum class Status : quint8 { kDone, kStopped, kEndedEarly, kFailed };
  Status status = Status::kDone;
  QString error;  // kFailed: the system's reason
};

// The one way the data is read: a scan from a start to an end in blocks of `block_size` new
// bytes, each block holding again the last `overlap` bytes of the one before (for a find, a
// search, the strings), or the bytes at an offset, kept to answer the next asks that they cover
// (for a view's rows), so that a view reads each byte it shows once.
class BlockReader {
 public:
  using Visit = std::function<void(const Block&)>;

  // The source, when there is one, must outlive the reader or be replaced first.
  explicit BlockReader(DataSource* source, qint64 block_size, qint64 overlap = 0);

  void SetSource(DataSource* source);
  [[nodiscard]] DataSource* Source() const { return source_; }
  // The source's size now; 0 without one.
  [[nodiscard]] qint64 Size() const { return source_ != nullptr ? source_->Size() : 0; }

  // Hands `visit` the blocks of [from, end), or of [from, the data's end) when the data is
  // shorter. Once `stop` is requested it returns after the block in hand.
  [[nodiscard]] ScanEnd Scan(qint64 from, qint64 end, const std::stop_token& stop,
                             const Visit& visit);

  // Up to `length` bytes from `offset`, fewer at the end of the data: from the bytes held when
  // they cover them, else read anew, a block at least. Valid until the next call.
  [[nodiscard]] QByteArrayView Bytes(qint64 offset, qint64 length);
  // Lets go of the bytes held: the data changed.
  void Forget();

 private:
  // Reads into the buffer from `at` until `want` bytes are in or the data ends; -1 on failure.
  qint64 ReadInto(qint64 at, qsizetype into, qint64 want);

  DataSource* source_;
  qint64 block_size_;
  qint64 overlap_;
  QByteArray buffer_;
  qint64 held_start_ = 0;
  qint64 held_ = 0;
  qint64 answers_to_ = 0;  // what the bytes held answer for: the data ends before this
};

}  // namespace orvane::data
