#include "data/relative_search_source.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace orvane::data {

qint64 BytesSource::Read(qint64 offset, char* into, qint64 size) {
  if (offset < 0 || offset > bytes_.size()) return -1;
  const qint64 count = std::min(size, bytes_.size() - offset);
  std::memcpy(into, bytes_.constData() + offset, static_cast<size_t>(count));
  return count;
}

std::unique_ptr<FileSource> FileSource::Open(const QString& path, QString* error) {
  // A folder opens on some systems and then reads as nothing.
  if (QFileInfo(path).isDir()) {
    *error = QStringLiteral("Is a directory");
    return nullptr;
  }
  std::unique_ptr<FileSource> source(new FileSource(path));
  if (!source->file_.open(QIODevice::ReadOnly)) {
    *error = source->file_.errorString();
    return nullptr;
  }
  source->size_ = source->file_.size();
  return source;
}

qint64 FileSource::Read(qint64 offset, char* into, qint64 size) {
  if (!file_.seek(offset)) return -1;
  return file_.read(into, size);
}

}  // namespace orvane::data
