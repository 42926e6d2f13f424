#include "model/file_access.h"

#include "text/utf8.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::model {
namespace {

constexpr qsizetype kBlock = qsizetype{1} << 20;

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// "1 GiB", "64 KiB", "100 bytes": the limit as the message gives it.
QString SizeText(qint64 bytes) {
  for (const auto& [shift, unit] : {std::pair{30, "GiB"}, {20, "MiB"}, {10, "KiB"}}) {
    const qint64 unit_bytes = qint64{1} << shift;
    if (bytes >= unit_bytes && bytes % unit_bytes == 0) {
      return QStringLiteral("%1 %2").arg(bytes / unit_bytes).arg(QLatin1String(unit));
    }
  }
  return QStringLiteral("%1 bytes").arg(bytes);
}

LoadError TooLarge(qint64 limit) {
  return LoadError{
      0, QStringLiteral("Larger than %1, more than any table holds").arg(SizeText(limit))};
}

QString KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return QStringLiteral("a folder");
  if (S_ISFIFO(mode)) return QStringLiteral("a named pipe");
  if (S_ISCHR(mode)) return QStringLiteral("a character device");
  if (S_ISBLK(mode)) return QStringLiteral("a block device");
  if (S_ISSOCK(mode)) return QStringLiteral("a socket");
  return QStringLiteral("something else");
}

}  // namespace

std::variant<QByteArray, LoadError> ReadFileContent(int descriptor, qint64 limit) {
  QByteArray bytes;
  struct stat info {};
  if (fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)) {
    if (info.st_size > limit) return TooLarge(limit);
    bytes.reserve(static_cast<qsizetype>(info.st_size) + 1);
  }
  for (;;) {
    const qsizetype had = bytes.size();
    auto room = static_cast<qsizetype>(std::min<qint64>(kBlock, limit + 1 - had));
    // A regular file fills the room reserved for it to the byte; other input grows by doubling.
    if (bytes.capacity() > had) {
      room = std::min(room, bytes.capacity() - had);
    } else {
      bytes.reserve(std::max(had + room, 2 * had));
    }
    bytes.resize(had + room);
    const ssize_t got = read(descriptor, bytes.data() + had, static_cast<size_t>(room));
    const int error = errno;
    bytes.resize(had + std::max<qsizetype>(got, 0));
    if (got < 0 && error == EINTR) continue;
    if (got < 0) return LoadError{0, SystemReason(error)};
    if (got == 0) return bytes;
    if (bytes.size() > limit) return TooLarge(limit);
  }
}

std::optional<QByteArray> NameQtCannotCarry(const QString& path) {
  if (!path.contains(QChar::ReplacementCharacter)) return std::nullopt;
  const QFileInfo info(path);
  const QByteArray folder = QFile::encodeName(info.path());
  DIR* listing = opendir(folder.constData());
  if (listing == nullptr) return std::nullopt;
  std::optional<QByteArray> found;
  while (const dirent* entry = readdir(listing)) {
    const QByteArray name(entry->d_name);
    if (!text::IsValidUtf8(name) && QFile::decodeName(name) == info.fileName()) {
      found = folder + '/' + name;
      break;
    }
  }
  closedir(listing);
  return found;
}

std::optional<QString> WhyNotReplaceable(const QByteArray& native_path) {
  struct stat info {};
  // Nothing there, or a folder on the way that cannot be looked into: the write says why.
  if (lstat(native_path.constData(), &info) != 0) return std::nullopt;
  const bool link = S_ISLNK(info.st_mode);
  if (stat(native_path.constData(), &info) != 0) {
    if (errno != ENOENT) return SystemReason(errno);
    return QStringLiteral("Is a symbolic link to nothing, not a regular file");
  }
  if (S_ISREG(info.st_mode)) return std::nullopt;
  return QStringLiteral("Is %1%2, not a regular file")
      .arg(link ? QStringLiteral("a symbolic link to ") : QString(), KindOf(info.st_mode));
}

}  // namespace orvane::model
