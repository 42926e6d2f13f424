#include "tool_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::tools {
namespace {

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool WriteWhole(int descriptor, QByteArrayView bytes) {
  while (!bytes.isEmpty()) {
    const ssize_t written = write(descriptor, bytes.data(), static_cast<size_t>(bytes.size()));
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    if (written == 0) {
      errno = EIO;
      return false;
    }
    bytes = bytes.sliced(written);
  }
  return true;
}

// The file a save replaces (through a link, the file it points to) and the bits it gets.
struct Target {
  QByteArray path;
  mode_t mode = 0;
};

Target TargetOf(const QByteArray& name) {
  struct stat info {};
  if (stat(name.constData(), &info) != 0) {
    const mode_t mask = umask(0);
    umask(mask);
    return Target{name, static_cast<mode_t>(0666 & ~mask)};
  }
  Target target{name, static_cast<mode_t>(info.st_mode & 0777)};
  if (char* real = realpath(name.constData(), nullptr)) {
    target.path = real;
    std::free(real);
  }
  return target;
}

// The folder's entry of the renamed file reaches the disk too; a failure here changes nothing
// that was written.
void SyncFolder(const QByteArray& folder) {
  const int descriptor = open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  (void)fsync(descriptor);
  close(descriptor);
}

}  // namespace

std::variant<QByteArray, ReadError> ReadInput(const QByteArray& name, qint64 limit) {
  const bool standard = name == kStandardStream;
  const int descriptor = standard ? STDIN_FILENO : open(name.constData(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return ReadError{ReadError::Kind::kSystem, SystemReason(errno)};
  // A folder opens, and its first read fails: that failure is reported, not retried.
  std::variant<QByteArray, ReadError> result;
  auto content = model::ReadFileContent(descriptor, limit);
  if (auto* bytes = std::get_if<QByteArray>(&content)) {
    result = std::move(*bytes);
  } else if (struct stat info{}; fstat(descriptor, &info) == 0 && S_ISDIR(info.st_mode)) {
    result = ReadError{ReadError::Kind::kFolder, {}};
  } else {
    result = ReadError{ReadError::Kind::kSystem, std::get<model::LoadError>(content).reason};
  }
  if (!standard) close(descriptor);
  return result;
}

std::variant<OpenedFile, ReadError> OpenRegularFile(const QByteArray& name) {
  // Not blocking: opening a named pipe would otherwise wait for a writer.
  const int descriptor = open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) return ReadError{ReadError::Kind::kSystem, SystemReason(errno)};
  struct stat info {};
  std::optional<ReadError> refused;
  if (fstat(descriptor, &info) != 0) {
    refused = ReadError{ReadError::Kind::kSystem, SystemReason(errno)};
  } else if (S_ISDIR(info.st_mode)) {
    refused = ReadError{ReadError::Kind::kFolder, {}};
  } else if (!S_ISREG(info.st_mode)) {
    refused = ReadError{ReadError::Kind::kNotRegular, {}};
  }
  if (refused) {
    close(descriptor);
    return *refused;
  }
  return OpenedFile{descriptor, static_cast<qint64>(info.st_size)};
}

std::optional<QString> ReplaceFile(const QByteArray& name, QByteArrayView bytes) {
  if (auto why = model::WhyNotReplaceable(name)) return why;
  const Target target = TargetOf(name);
  const qsizetype slash = target.path.lastIndexOf('/');
  const QByteArray folder =
      slash < 0 ? QByteArray(".") : target.path.first(std::max<qsizetype>(slash, 1));
  QByteArray temporary = target.path.first(slash + 1) + ".orvane-tbl-XXXXXX";
  const int descriptor = mkostemp(temporary.data(), O_CLOEXEC);
  if (descriptor < 0) return SystemReason(errno);
  int error = 0;
  if (fchmod(descriptor, target.mode) != 0 || !WriteWhole(descriptor, bytes) ||
      fsync(descriptor) != 0) {
    error = errno;
  }
  if (close(descriptor) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temporary.constData(), target.path.constData()) != 0) error = errno;
  if (error != 0) {
    unlink(temporary.constData());
    return SystemReason(error);
  }
  SyncFolder(folder);
  return std::nullopt;
}

}  // namespace orvane::tools
