#include "tool_output.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace orvane::tools {
namespace {

// Large enough that a write costs little beside making its bytes, small enough that output
// shows as it is made.
constexpr qsizetype kBuffered = qsizetype{64} << 10;

// All of `bytes`, or the system's error. An output left non-blocking by whoever started the
// program is waited for, not taken for a failure.
int WriteAll(int descriptor, QByteArrayView bytes) {
  while (!bytes.isEmpty()) {
    const ssize_t written = write(descriptor, bytes.data(), static_cast<size_t>(bytes.size()));
    if (written > 0) {
      bytes = bytes.sliced(written);
      continue;
    }
    if (written == 0) return EIO;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return errno;
    pollfd ready{descriptor, POLLOUT, 0};
    if (poll(&ready, 1, -1) < 0 && errno != EINTR) return errno;
  }
  return 0;
}

}  // namespace

bool DescriptorOutput::Write(QByteArrayView bytes) {
  if (error_ != 0) return false;
  if (buffer_.size() + bytes.size() < kBuffered) {
    buffer_.append(bytes);
    return true;
  }
  // A large piece goes out as it is, not copied first.
  if (!Flush()) return false;
  error_ = WriteAll(descriptor_, bytes);
  return error_ == 0;
}

bool DescriptorOutput::Flush() {
  if (error_ != 0) return false;
  error_ = WriteAll(descriptor_, buffer_);
  buffer_.resize(0);  // keeps its room for the next
  return error_ == 0;
}

}  // namespace orvane::tools
