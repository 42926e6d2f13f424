#include "data/find_bytes.h"

#include "data/data_file.h"

#include <QFile>

#include <cstring>

namespace orvane::data {
namespace {

constexpr qsizetype kFindBlock = qsizetype{4} << 20;

}  // namespace

void FindInBlock(QByteArrayView bytes, QByteArrayView pattern, qint64 base, FindResult& result) {
  if (pattern.isEmpty() || bytes.size() < pattern.size()) return;
  const char* begin = bytes.data();
  const char* last = begin + (bytes.size() - pattern.size());  // where the last match may start
  const auto rest = static_cast<size_t>(pattern.size() - 1);
  // The first byte by memchr, which reads no further than it must, then the rest compared.
  for (const char* at = begin; at <= last;) {
    const void* hit = std::memchr(at, pattern[0], static_cast<size_t>(last - at) + 1);
    if (hit == nullptr) return;
    const char* found = static_cast<const char*>(hit);
    if (std::memcmp(found + 1, pattern.data() + 1, rest) == 0) {
      if (result.offsets.size() < kListedFinds) result.offsets.append(base + (found - begin));
      ++result.total;
    }
    at = found + 1;
  }
}

FindResult FindInFile(const QString& path, QByteArrayView pattern, const std::stop_token& stop,
                      std::atomic<qint64>* searched) {
  FindResult result;
  QFile file;
  if (const auto why = OpenToRead(file, path)) {
    result.error = *why;
    return result;
  }
  if (pattern.isEmpty()) return result;
  // The last bytes of each block come again at the front of the next, for a pattern across both.
  const qsizetype overlap = pattern.size() - 1;
  QByteArray buffer(kFindBlock + overlap, Qt::Uninitialized);
  qsizetype kept = 0;
  qint64 base = 0;  // the offset of the buffer's first byte
  while (!stop.stop_requested()) {
    const qint64 got = file.read(buffer.data() + kept, kFindBlock);
    if (got < 0) result.error = QStringLiteral("%1: %2").arg(path, file.errorString());
    if (got <= 0) return result;
    const qsizetype filled = kept + static_cast<qsizetype>(got);
    FindInBlock(QByteArrayView(buffer).first(filled), pattern, base, result);
    kept = std::min(overlap, filled);
    std::memmove(buffer.data(), buffer.constData() + filled - kept, static_cast<size_t>(kept));
    base += filled - kept;
    if (searched != nullptr) searched->store(base + kept);
  }
  result.stopped = true;
  return result;
}

void FindTask::Start(const QString& path, const QByteArray& pattern) {
  Cancel();
  searched_ = 0;
  finished_ = false;
  result_ = FindResult{};
  thread_ = std::jthread(
      [this, path, pattern](const std::stop_token& stop) { Run(stop, path, pattern); });
}

void FindTask::Run(const std::stop_token& stop, const QString& path, const QByteArray& pattern) {
  result_ = FindInFile(path, pattern, stop, &searched_);
  finished_.store(true);
}

void FindTask::Cancel() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
}

std::optional<FindResult> FindTask::Take() {
  if (!thread_.joinable() || !finished_.load()) return std::nullopt;
  thread_.join();
  return std::move(result_);
}

}  // namespace orvane::data
