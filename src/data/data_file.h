#pragma once

#include "data/string_reader.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringView>

#include <optional>

namespace orvane::data {

// A game's data file, opened only to be read. It reads the bytes it is asked for, when asked,
// with plain reads (never a memory mapping, which a file truncated on disk would turn into a
// crash), so a file of any size opens at once; a file truncated on disk reads shorter at once,
// and one replaced on disk reads as it was until it is opened again.
class DataFile {
 public:
  // The reason it cannot be read, in words for the user, or nothing when it is open.
  [[nodiscard]] std::optional<QString> Open(const QString& path);
  void Close() { file_.close(); }
  [[nodiscard]] bool IsOpen() const { return file_.isOpen(); }
  [[nodiscard]] QString Path() const { return file_.fileName(); }
  // The size on disk now.
  [[nodiscard]] qint64 Size() const;
  // Up to `length` bytes from `offset`: fewer at the end of the file, none past it or when the
  // system cannot read them.
  [[nodiscard]] QByteArray Read(qint64 offset, qint64 length) const;
  // The same into `into`; how many bytes it read.
  [[nodiscard]] qint64 ReadInto(qint64 offset, char* into, qint64 length) const;

 private:
  mutable QFile file_;
};

// The strings of `length` bytes of the file from `from`, or to its end when `length` is
// negative, read block by block; a file that ends sooner ends the reading there.
void ReadFileStrings(const CodeLookup& lookup, const DataFile& file, qint64 from, qint64 length,
                     LineBreaks breaks, const StringReader::Take& take);

// An offset in hexadecimal, either case, at most 15 digits; nothing for anything else.
[[nodiscard]] std::optional<qint64> ParseOffset(QStringView digits);

// Opens a regular file only to be read, unbuffered; else the reason, in words for the user: a
// folder, not a regular file, or the system's reason.
[[nodiscard]] std::optional<QString> OpenToRead(QFile& file, const QString& path);

}  // namespace orvane::data
