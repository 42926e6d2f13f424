#include "text/typed_text.h"

#include "text/display_text.h"
#include "text/windows1252.h"

#include <QStringEncoder>

namespace orvane::text {
namespace {

bool IsEucByte(char c) {
  const auto byte = static_cast<quint8>(c);
  return byte >= 0xA1 && byte <= 0xFE;
}

// The EUC-JP pair of a JIS X 0208 character. The converter also knows JIS X 0212 and
// half-width katakana, as three- and two-byte forms behind 8F and 8E, which this table's
// display reads back as other characters: those are no pair.
std::optional<QByteArray> JisPair(QChar character) {
  if (character.isSurrogate()) return std::nullopt;
  QStringEncoder encoder("EUC-JP");
  const QByteArray bytes = encoder.encode(QStringView(&character, 1));
  if (encoder.hasError() || bytes.size() != 2 || !IsEucByte(bytes[0]) || !IsEucByte(bytes[1])) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

std::optional<QByteArray> EncodeText(const QString& text, Encoding encoding) {
  if (encoding == Encoding::kUtf8) return text.toUtf8();
  QByteArray bytes;
  for (const QChar character : text) {
    const std::optional<quint8> byte = KeyByte(character);
    // ASCII stays itself; a JIS X 0208 character takes its pair; a Latin letter outside it takes
    // its Windows-1252 byte, as its key would type it.
    if (!byte || *byte >= 0x80) {
      if (const auto pair = JisPair(character)) {
        bytes.append(*pair);
        continue;
      }
    }
    if (!byte) return std::nullopt;
    bytes.append(static_cast<char>(*byte));
  }
  return bytes;
}

QByteArray EncodeWhatFits(const QString& text, Encoding encoding) {
  QByteArray bytes;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    if (const auto encoded = EncodeText(text.mid(i, length), encoding)) bytes.append(*encoded);
    i += length - 1;
  }
  return bytes;
}

std::optional<QByteArray> EditedBytes(const QString& text, const QByteArray& original,
                                      Encoding encoding) {
  if (text == DisplayText(original, encoding)) return original;
  return EncodeText(text, encoding);
}

}  // namespace orvane::text
