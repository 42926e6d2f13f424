#include "text/file_name.h"

#include "text/display_text.h"
#include "text/utf8.h"

namespace orvane::text {
namespace {

// The length of the UTF-8 sequence that starts at `at`, or 0 when there is none.
qsizetype SequenceAt(QByteArrayView name, qsizetype at) {
  const auto lead = static_cast<quint8>(name[at]);
  const qsizetype length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (at + length > name.size() || !IsValidUtf8(name.sliced(at, length))) return 0;
  return length;
}

}  // namespace

QString ReadableFileName(QByteArrayView name) {
  if (IsValidUtf8(name)) return WithControlPictures(QString::fromUtf8(name));
  QString readable;
  for (qsizetype at = 0; at < name.size();) {
    if (const qsizetype length = SequenceAt(name, at); length > 0) {
      readable += WithControlPictures(QString::fromUtf8(name.sliced(at, length)));
      at += length;
      continue;
    }
    const auto byte = static_cast<quint8>(name[at]);
    readable += QStringLiteral("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, u'0');
    ++at;
  }
  return readable;
}

}  // namespace orvane::text
