#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace orvane::tools {

// Where a command's standard output goes as it is made, so that a long output never waits in
// memory for its end. Once a write fails (the reader closed the pipe, the disk is full) the
// sink takes nothing more, and a command that is still producing stops.
class OutputSink {
 public:
  OutputSink() = default;
  OutputSink(const OutputSink&) = delete;
  OutputSink& operator=(const OutputSink&) = delete;
  virtual ~OutputSink() = default;

  // False once the output takes nothing more.
  [[nodiscard]] virtual bool Write(QByteArrayView bytes) = 0;
  // What is held back, written now; false as Write.
  [[nodiscard]] virtual bool Flush() { return true; }
};

// The output kept in memory, for a run inside a program (tests, benchmarks).
class CapturedOutput final : public OutputSink {
 public:
  [[nodiscard]] bool Write(QByteArrayView bytes) override {
    bytes_.append(bytes);
    return true;
  }
  [[nodiscard]] QByteArray Take() { return std::move(bytes_); }

 private:
  QByteArray bytes_;
};

// An open descriptor (standard output), written through a buffer of its own: the C library's
// would hide which write failed and why.
class DescriptorOutput final : public OutputSink {
 public:
  explicit DescriptorOutput(int descriptor) : descriptor_(descriptor) {}
  ~DescriptorOutput() override { (void)Flush(); }
  DescriptorOutput(const DescriptorOutput&) = delete;
  DescriptorOutput& operator=(const DescriptorOutput&) = delete;

  [[nodiscard]] bool Write(QByteArrayView bytes) override;
  [[nodiscard]] bool Flush() override;
  // The system's error that stopped the output (EPIPE: the reader went away), or 0.
  [[nodiscard]] int Error() const { return error_; }

 private:
  int descriptor_;
  QByteArray buffer_;
  int error_ = 0;
};

}  // namespace orvane::tools
