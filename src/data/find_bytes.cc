#include "data/find_bytes.h"

#include "data/block_reader.h"

#include <cstring>
#include <limits>

namespace orvane::data {

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

FindResult FindInSource(DataSource& source, QByteArrayView pattern, const std::stop_token& stop,
                        const Progress& progress, qint64 block_size) {
  FindResult result;
  if (pattern.isEmpty()) return result;
  // Each block holds again the last bytes of the one before, for a pattern across both: a match
  // is whole only in the block where it ends.
  BlockReader blocks(&source, block_size, pattern.size() - 1);
  const qint64 size = source.Size();
  const ScanEnd ended =
      blocks.Scan(0, std::numeric_limits<qint64>::max(), stop, [&](const Block& block) {
        FindInBlock(block.Bytes(), pattern, block.start, result);
        if (progress) progress(block.End(), size);
      });
  result.stopped = ended.status == ScanEnd::Status::kStopped;
  if (ended.status == ScanEnd::Status::kFailed) {
    result.error = QStringLiteral("The data could not be read: %1").arg(ended.error);
  }
  return result;
}

FindResult FindInFile(const QString& path, QByteArrayView pattern, const std::stop_token& stop,
                      const Progress& progress) {
  OpenedSource opened = FileSource::Open(path);
  if (!opened.source) {
    FindResult result;
    result.error = opened.error;
    return result;
  }
  return FindInSource(*opened.source, pattern, stop, progress);
}

}  // namespace orvane::data
