#include "tool_text.h"

#include "text/display_text.h"
#include "text/file_name.h"
#include "text/utf8.h"

namespace orvane::tools {
namespace {

constexpr int kOffsetDigits = 8;

// The UTF-8 of the characters IsInvisibleControl names, from their lead byte: C2 80..9F,
// D8 9C, E2 80 8E..8F, E2 80 A8..AE, E2 81 A6..A9.
bool StartsInvisibleControl(QByteArrayView utf8, qsizetype at) {
  const auto byte = [&](qsizetype i) {
    return at + i < utf8.size() ? static_cast<quint8>(utf8[at + i]) : quint8{0};
  };
  switch (byte(0)) {
    case 0xC2:
      return byte(1) >= 0x80 && byte(1) < 0xA0;
    case 0xD8:
      return byte(1) == 0x9C;
    case 0xE2:
      if (byte(1) == 0x80) {
        return byte(2) == 0x8E || byte(2) == 0x8F || (byte(2) >= 0xA8 && byte(2) <= 0xAE);
      }
      return byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9;
    default:
      return false;
  }
}

}  // namespace

QByteArray PrintableName(QByteArrayView name) {
  return PrintableText(text::ReadableFileName(name));
}

QByteArray PrintableText(QString text) {
  return text::WithInvisibleAsCodes(text::WithControlPictures(std::move(text))).toUtf8();
}

bool IsPrintableUtf8(QByteArrayView utf8) {
  for (qsizetype i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<quint8>(utf8[i]);
    if (byte < 0x20 || byte == 0x7F || StartsInvisibleControl(utf8, i)) return false;
  }
  return true;
}

QByteArray OffsetText(qint64 offset) {
  return QByteArray::number(offset, 16).toUpper().rightJustified(kOffsetDigits, '0');
}

QString ByteCount(qint64 bytes) {
  return bytes == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(bytes);
}

std::optional<QString> WhyNotUtf8(QByteArrayView what, QByteArrayView bytes) {
  const qsizetype invalid = text::FirstInvalidUtf8(bytes);
  if (invalid == bytes.size()) return std::nullopt;
  return QStringLiteral("%1 is not valid UTF-8 (byte %2)")
      .arg(QString::fromLatin1(what))
      .arg(invalid + 1);
}

}  // namespace orvane::tools
