#include "data/data_source.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::data {
namespace {

// Why the open descriptor is no data to read, or nothing.
QString WhyNotData(int descriptor, const QString& name) {
  struct stat status {};
  if (::fstat(descriptor, &status) != 0)
    return QStringLiteral("%1: %2").arg(name, qt_error_string());
  if (S_ISDIR(status.st_mode)) return QStringLiteral("%1 is a folder.").arg(name);
  if (!S_ISREG(status.st_mode)) return QStringLiteral("%1 is not a regular file.").arg(name);
  return {};
}

}  // namespace

qint64 BytesSource::Read(qint64 offset, char* into, qint64 size) {
  if (offset < 0) return -1;
  if (offset >= bytes_.size()) return 0;
  const qint64 count = std::min(size, bytes_.size() - offset);
  std::memcpy(into, bytes_.constData() + offset, static_cast<size_t>(count));
  return count;
}

OpenedSource FileSource::Open(const QString& path) {
  auto file = std::make_unique<QFile>(path);
  // Unbuffered: a buffer could hold bytes the file no longer has. A folder, a named pipe or a
  // device may open (or block in open): only a regular file is opened at all.
  const QFileInfo info(path);
  if (info.isDir()) return {nullptr, QStringLiteral("%1 is a folder.").arg(path)};
  if (info.exists() && !info.isFile()) {
    return {nullptr, QStringLiteral("%1 is not a regular file.").arg(path)};
  }
  if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
    return {nullptr, QStringLiteral("%1: %2").arg(path, file->errorString())};
  }
  return FromFile(std::move(file), path);
}

OpenedSource FileSource::FromDescriptor(int descriptor, const QString& name) {
  auto file = std::make_unique<QFile>();
  if (!file->open(descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered,
                  QFileDevice::AutoCloseHandle)) {
    ::close(descriptor);
    return {nullptr, QStringLiteral("%1: %2").arg(name, file->errorString())};
  }
  return FromFile(std::move(file), name);
}

OpenedSource FileSource::FromFile(std::unique_ptr<QFile> file, const QString& name) {
  OpenedSource opened;
  opened.error = WhyNotData(file->handle(), name);
  if (opened.error.isEmpty()) opened.source.reset(new FileSource(std::move(file), name));
  return opened;
}

qint64 FileSource::Read(qint64 offset, char* into, qint64 size) {
  if (offset < 0 || !file_->seek(offset)) return -1;
  return file_->read(into, size);
}

}  // namespace orvane::data
