#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

namespace orvane::data {

// The bytes of a game's data, read where they are asked for, so that a file's size is no limit.
// One thread reads a source at a time: a worker opens its own.
class DataSource {
 public:
  DataSource() = default;
  DataSource(const DataSource&) = delete;
  DataSource& operator=(const DataSource&) = delete;
  virtual ~DataSource() = default;

  // The size now.
  [[nodiscard]] virtual qint64 Size() const = 0;
  // Up to `size` bytes from `offset` into `into`: how many were read (fewer only at the end, none
  // past it), or -1 with the reason in ErrorString().
  [[nodiscard]] virtual qint64 Read(qint64 offset, char* into, qint64 size) = 0;
  [[nodiscard]] virtual QString ErrorString() const { return {}; }
};

// Bytes held in memory (a test's data).
class BytesSource final : public DataSource {
 public:
  explicit BytesSource(QByteArray bytes) : bytes_(std::move(bytes)) {}
  [[nodiscard]] qint64 Size() const override { return bytes_.size(); }
  [[nodiscard]] qint64 Read(qint64 offset, char* into, qint64 size) override;

 private:
  QByteArray bytes_;
};

class FileSource;

// A source, or why there is none in words for the user ("game.bin is a folder.").
struct OpenedSource {
  std::unique_ptr<FileSource> source;
  QString error;
};

// A regular file opened only to be read, unbuffered, with plain reads: never a memory mapping,
// which a file truncated on disk would turn into a crash. A file truncated on disk reads shorter
// at once; one replaced on disk reads as it was until it is opened again.
class FileSource final : public DataSource {
 public:
  [[nodiscard]] static OpenedSource Open(const QString& path);
  // A descriptor already open for reading, which the source then owns and closes; `name` is what
  // messages call it. A command line's file name need not be text, so only its bytes can open it.
  [[nodiscard]] static OpenedSource FromDescriptor(int descriptor, const QString& name);
  // A file already open for reading.
  [[nodiscard]] static OpenedSource FromFile(std::unique_ptr<QFile> file, const QString& name);

  [[nodiscard]] QString Name() const { return name_; }
  [[nodiscard]] qint64 Size() const override { return file_->size(); }
  [[nodiscard]] qint64 Read(qint64 offset, char* into, qint64 size) override;
  [[nodiscard]] QString ErrorString() const override { return file_->errorString(); }

 private:
  FileSource(std::unique_ptr<QFile> file, QString name)
      : file_(std::move(file)), name_(std::move(name)) {}

  std::unique_ptr<QFile> file_;
  QString name_;
};

}  // namespace orvane::data
