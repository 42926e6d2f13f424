#include "text/typed_text.h"

#include "text/codec.h"
#include "text/display_text.h"
#include "text/windows1252.h"

namespace orvane::text {

std::optional<QByteArray> EditedBytes(const QString& text, const QByteArray& original,
                                      Encoding encoding) {
  if (text == DisplayText(original, encoding)) return original;
  return EncodeText(text, encoding);
}

std::optional<QByteArray> KeyBytes(QChar key, Encoding encoding) {
  if (encoding == Encoding::kEucJp || encoding == Encoding::kWindows1252) {
    const std::optional<quint8> byte = KeyByte(key);
    if (!byte) return std::nullopt;
    return QByteArray(1, static_cast<char>(*byte));
  }
  return EncodeText(QStringView(&key, 1), encoding);
}

}  // namespace orvane::text
