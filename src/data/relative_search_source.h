#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

namespace orvane::data {

// The bytes a search reads, a block at a time, so that the size of a file is no limit. A search
// owns its source on its own thread: nothing else reads it meanwhile. This is the data layer's
// smallest reader; the Game Data window's reader can take its place behind the same calls.
class DataSource {
 public:
  DataSource() = default;
  DataSource(const DataSource&) = delete;
  DataSource& operator=(const DataSource&) = delete;
  virtual ~DataSource() = default;

  [[nodiscard]] virtual qint64 Size() const = 0;
  // Up to `size` bytes from `offset` into `into`: how many were read (fewer only at the end),
  // or -1, with the reason in ErrorString().
  [[nodiscard]] virtual qint64 Read(qint64 offset, char* into, qint64 size) = 0;
  [[nodiscard]] virtual QString ErrorString() const { return {}; }
};

// Bytes held in memory (a test's data, a snapshot).
class BytesSource final : public DataSource {
 public:
  explicit BytesSource(QByteArray bytes) : bytes_(std::move(bytes)) {}
  [[nodiscard]] qint64 Size() const override { return bytes_.size(); }
  [[nodiscard]] qint64 Read(qint64 offset, char* into, qint64 size) override;

 private:
  QByteArray bytes_;
};

// A file opened for reading only; its size is the one it had when opened.
class FileSource final : public DataSource {
 public:
  // Nothing, with the system's reason in `error`, when the file cannot be read.
  [[nodiscard]] static std::unique_ptr<FileSource> Open(const QString& path, QString* error);
  [[nodiscard]] qint64 Size() const override { return size_; }
  [[nodiscard]] qint64 Read(qint64 offset, char* into, qint64 size) override;
  [[nodiscard]] QString ErrorString() const override { return file_.errorString(); }

 private:
  explicit FileSource(const QString& path) : file_(path) {}

  QFile file_;
  qint64 size_ = 0;
};

}  // namespace orvane::data
