#pragma once

#include <csignal>
#include <sys/resource.h>

namespace orvane::testing {

// Lowers the soft file-size limit for its lifetime, so that a write past it fails with EFBIG
// (SIGXFSZ ignored), as on a full disk. Works as root, unlike a read-only folder.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    ok_ = getrlimit(RLIMIT_FSIZE, &old_) == 0;
    rlimit lowered = old_;
    lowered.rlim_cur = bytes;
    ok_ = ok_ && setrlimit(RLIMIT_FSIZE, &lowered) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  [[nodiscard]] bool ok() const { return ok_; }

 private:
  rlimit old_{};
  void (*old_handler_)(int) = nullptr;
  bool ok_ = false;
};

}  // namespace orvane::testing
