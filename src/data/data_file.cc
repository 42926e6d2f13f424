#include "data/data_file.h"

#include "model/hex.h"

#include <QFileInfo>

#include <algorithm>

namespace orvane::data {
namespace {

std::optional<QString> WhyNotReadable(const QString& path, const QFile& file) {
  const QFileInfo info(path);
  if (info.isDir()) return QStringLiteral("%1 is a folder.").arg(path);
  if (info.exists() && !info.isFile()) return QStringLiteral("%1 is not a regular file.").arg(path);
  if (!file.isOpen()) return QStringLiteral("%1: %2").arg(path, file.errorString());
  return std::nullopt;
}

}  // namespace

std::optional<QString> OpenToRead(QFile& file, const QString& path) {
  file.setFileName(path);
  const QFileInfo info(path);
  // Unbuffered: a buffer could hold bytes the file no longer has.
  if (!info.isDir() && (!info.exists() || info.isFile())) {
    (void)file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  }
  auto why = WhyNotReadable(path, file);
  if (why) file.close();
  return why;
}

std::optional<QString> DataFile::Open(const QString& path) {
  file_.close();
  return OpenToRead(file_, path);
}

qint64 DataFile::Size() const { return file_.isOpen() ? file_.size() : 0; }

QByteArray DataFile::Read(qint64 offset, qint64 length) const {
  if (!file_.isOpen() || offset < 0 || length <= 0 || !file_.seek(offset)) return {};
  return file_.read(length);
}

void ReadFileStrings(const CodeLookup& lookup, const DataFile& file, qint64 from, qint64 length,
                     LineBreaks breaks, const StringReader::Take& take) {
  constexpr qint64 kBlock = qint64{1} << 20;
  const qint64 size = file.Size();
  const qint64 end = length < 0 ? size : std::min(size, from + length);
  StringReader reader(lookup, from, breaks, false);
  QByteArray block;
  for (qint64 at = from; at < end;) {
    const QByteArray read = file.Read(at, std::min(kBlock, end - at));
    if (read.isEmpty()) break;
    at += read.size();
    block.append(read);
    block.remove(0, reader.Read(block, at >= end, take));
  }
  if (!block.isEmpty()) (void)reader.Read(block, true, take);
  reader.Finish(take);
}

std::optional<qint64> ParseOffset(QStringView digits) {
  constexpr qsizetype kMaxDigits = 15;
  if (digits.isEmpty() || digits.size() > kMaxDigits) return std::nullopt;
  qint64 value = 0;
  for (const QChar digit : digits) {
    const char16_t unit = digit.unicode();
    const int d = unit < 0x80 ? model::HexDigitValue(static_cast<char>(unit)) : -1;
    if (d < 0) return std::nullopt;
    value = value << 4 | d;
  }
  return value;
}

}  // namespace orvane::data
