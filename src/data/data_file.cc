#include "data/data_file.h"

#include "model/hex.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>

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

qint64 DataFile::ReadInto(qint64 offset, char* into, qint64 length) const {
  if (!file_.isOpen() || offset < 0 || length <= 0 || !file_.seek(offset)) return 0;
  return std::max<qint64>(0, file_.read(into, length));
}

void ReadFileStrings(const CodeLookup& lookup, const DataFile& file, qint64 from, qint64 length,
                     LineBreaks breaks, const StringReader::Take& take) {
  constexpr qint64 kBlock = qint64{1} << 20;
  const qint64 size = file.Size();
  const qint64 end = length < 0 || length > size - from ? size : from + length;
  StringReader reader(lookup, from, breaks, false);
  QByteArray block(kBlock + model::kMaxCodeLength, Qt::Uninitialized);
  qsizetype kept = 0;  // bytes at the front that the reader gave back
  for (qint64 at = from; at < end;) {
    const qint64 got = file.ReadInto(at, block.data() + kept, std::min(kBlock, end - at));
    if (got == 0) break;
    at += got;
    const qsizetype filled = kept + static_cast<qsizetype>(got);
    const qsizetype read = reader.Read(QByteArrayView(block).first(filled), at >= end, take);
    kept = filled - read;
    std::memmove(block.data(), block.constData() + read, static_cast<size_t>(kept));
  }
  if (kept > 0) (void)reader.Read(QByteArrayView(block).first(kept), true, take);
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
