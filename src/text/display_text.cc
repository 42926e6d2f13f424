#include "text/display_text.h"

#include "text/utf8.h"
#include "text/windows1252.h"

#include <QStringDecoder>

#include <optional>

namespace orvane::text {
namespace {

QChar ByteChar(quint8 byte) {
  if (byte < 0x20) return QChar(static_cast<char16_t>(0x2400 + byte));  // control pictures
  if (byte == 0x7F) return QChar(char16_t{0x2421});
  if (byte == 0xAD) return QChar(char16_t{0x2010});  // a soft hyphen would show nothing
  return Windows1252Char(byte).value_or(QChar::ReplacementCharacter);
}

bool IsEucByte(char c) {
  const auto byte = static_cast<quint8>(c);
  return byte >= 0xA1 && byte <= 0xFE;
}

// The JIS X 0208 character of an EUC-JP pair, when the pair is one.
std::optional<QChar> EucPair(char lead, char trail) {
  const auto lead_byte = static_cast<quint8>(lead);
  const auto trail_byte = static_cast<quint8>(trail);
  // Rows 4 and 5 (hiragana, katakana) map linearly; no converter is needed for them.
  if (lead_byte == 0xA4 && trail_byte <= 0xF3) return QChar(char16_t(0x3041 + trail_byte - 0xA1));
  if (lead_byte == 0xA5 && trail_byte <= 0xF6) return QChar(char16_t(0x30A1 + trail_byte - 0xA1));
  // Not stateless: a stateless decoder forgets its errors before they can be read.
  static QStringDecoder decoder("EUC-JP");
  if (!decoder.isValid()) return std::nullopt;
  const char pair[2] = {lead, trail};
  const QString decoded = decoder.decode(QByteArrayView(pair, 2));
  const bool failed = decoder.hasError();
  decoder.resetState();
  if (failed || decoded.size() != 1) return std::nullopt;
  const QChar character = decoded.front();
  if (character.unicode() == 0x1A || character == QChar::ReplacementCharacter) return std::nullopt;
  return character;
}

QString EucDisplay(QByteArrayView bytes) {
  QString out;
  out.reserve(bytes.size());
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (i + 1 < bytes.size() && IsEucByte(bytes[i]) && IsEucByte(bytes[i + 1])) {
      if (const auto character = EucPair(bytes[i], bytes[i + 1])) {
        out.append(*character);
        ++i;
        continue;
      }
    }
    out.append(ByteChar(static_cast<quint8>(bytes[i])));
  }
  return out;
}

std::optional<QString> Utf8Display(QByteArrayView bytes) {
  if (!IsValidUtf8(bytes)) return std::nullopt;
  QString decoded = QString::fromUtf8(bytes);
  for (QChar& character : decoded) {
    if (character.unicode() < 0x20 || character.unicode() == 0x7F) {
      character = ByteChar(static_cast<quint8>(character.unicode()));
    }
  }
  return decoded;
}

}  // namespace

QString DisplayText(QByteArrayView bytes, Encoding encoding) {
  if (encoding == Encoding::kUtf8 && !IsAscii(bytes)) {
    if (auto text = Utf8Display(bytes)) return *std::move(text);
  }
  return EucDisplay(bytes);
}

}  // namespace orvane::text
