#include "data/block_reader.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace orvane::data {

BlockReader::BlockReader(DataSource* source, qint64 block_size, qint64 overlap)
    : source_(source), block_size_(std::max<qint64>(1, block_size)), overlap_(overlap) {}

void BlockReader::SetSource(DataSource* source) {
  source_ = source;
  Forget();
}

void BlockReader::Forget() {
  held_start_ = 0;
  held_ = 0;
  answers_to_ = 0;
}

qint64 BlockReader::ReadInto(qint64 at, qsizetype into, qint64 want) {
  if (buffer_.size() < into + want) buffer_.resize(into + want);
  qint64 got = 0;
  while (got < want) {
    const qint64 read = source_->Read(at + got, buffer_.data() + into + got, want - got);
    if (read < 0) return -1;
    if (read == 0) break;
    got += read;
  }
  return got;
}

ScanEnd BlockReader::Scan(qint64 from, qint64 end, const std::stop_token& stop,
                          const Visit& visit) {
  Forget();
  if (source_ == nullptr) return {};
  end = std::min(end, source_->Size());
  held_start_ = from;
  for (qint64 at = from; at < end;) {
    if (stop.stop_requested()) return {ScanEnd::Status::kStopped, {}};
    const qint64 keep = std::min(overlap_, held_);
    std::memmove(buffer_.data(), buffer_.constData() + (held_ - keep), static_cast<size_t>(keep));
    held_start_ = at - keep;
    const qint64 want = std::min(block_size_, end - at);
    const qint64 got = ReadInto(at, static_cast<qsizetype>(keep), want);
    if (got < 0) {
      Forget();
      return {ScanEnd::Status::kFailed, source_->ErrorString()};
    }
    held_ = keep + got;
    answers_to_ = held_start_ + held_;
    at += got;
    const bool ended_early = got < want;
    visit(Block{buffer_.constData(), held_start_, held_, keep, ended_early || at >= end});
    if (ended_early) return {ScanEnd::Status::kEndedEarly, {}};
  }
  return {};
}

QByteArrayView BlockReader::Bytes(qint64 offset, qint64 length) {
  if (source_ == nullptr || offset < 0 || length <= 0) return {};
  const qint64 held_end = held_start_ + held_;
  if (offset < held_start_ || offset > held_end || offset + length > answers_to_) {
    const qint64 want = std::max(length, block_size_);
    const qint64 got = ReadInto(offset, 0, want);
    if (got < 0) {
      Forget();
      return {};
    }
    held_start_ = offset;
    held_ = got;
    // A read that came back short met the end: nothing lies beyond it to read later.
    answers_to_ = got < want ? std::numeric_limits<qint64>::max() : offset + got;
  }
  const qint64 from = offset - held_start_;
  return QByteArrayView(buffer_).sliced(from, std::min(length, held_ - from));
}

}  // namespace orvane::data
