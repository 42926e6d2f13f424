#include "text/codec.h"

#include "text/utf8.h"
#include "text/windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace orvane::text {
namespace {

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
  // A fresh decoder that keeps state: a stateless one forgets its errors before they can be
  // read, and resetState() does not clear an error of an ICU converter.
  QStringDecoder decoder("EUC-JP");
  if (!decoder.isValid()) return std::nullopt;
  const char pair[2] = {lead, trail};
  const QString decoded = decoder.decode(QByteArrayView(pair, 2));
  if (decoder.hasError() || decoded.size() != 1) return std::nullopt;
  const QChar character = decoded.front();
  if (character.unicode() == 0x1A || character == QChar::ReplacementCharacter) return std::nullopt;
  return character;
}

// The EUC-JP pair of a JIS X 0208 character. The converter also knows JIS X 0212 and
// half-width katakana, as three- and two-byte forms behind 8F and 8E, which the format's
// reading takes for other characters: those are no pair.
std::optional<QByteArray> JisPair(QChar character) {
  if (character.isSurrogate()) return std::nullopt;
  QStringEncoder encoder("EUC-JP");
  const QByteArray bytes = encoder.encode(QStringView(&character, 1));
  if (encoder.hasError() || bytes.size() != 2 || !IsEucByte(bytes[0]) || !IsEucByte(bytes[1])) {
    return std::nullopt;
  }
  return bytes;
}

// Decodes EUC-JP as the format reads it; `lenient` puts U+FFFD for an unassigned byte.
std::optional<QString> DecodeEucJp(QByteArrayView bytes, bool lenient) {
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
    const auto character = Windows1252Char(static_cast<quint8>(bytes[i]));
    if (!character && !lenient) return std::nullopt;
    out.append(character.value_or(QChar::ReplacementCharacter));
  }
  return out;
}

std::optional<QString> DecodeWindows1252(QByteArrayView bytes, bool lenient) {
  QString out;
  out.reserve(bytes.size());
  for (char byte : bytes) {
    const auto character = Windows1252Char(static_cast<quint8>(byte));
    if (!character && !lenient) return std::nullopt;
    out.append(character.value_or(QChar::ReplacementCharacter));
  }
  return out;
}

QString Utf8ToString(QByteArrayView bytes) {
  // Not QString::fromUtf8: it drops a U+FEFF at the start, which is text of the cell.
  QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
  return decoder.decode(bytes);
}

// Code page 932 with its NEC and IBM rows. Each text gets fresh converters: resetState() does
// not clear an error of an ICU converter. Converters substitute characters silently, so a text
// is valid only when it encodes back to its bytes.
constexpr char kShiftJis[] = "windows-31j";

// ICU's table for it rotates three controls (byte 1A is U+001C, 1C is U+007F, 7F is U+001A), an
// IBM habit that code page 932 does not share: each of these bytes is its own character.
char16_t ControlFromIcu(char16_t unicode) {
  switch (unicode) {
    case 0x1C:
      return 0x1A;
    case 0x7F:
      return 0x1C;
    case 0x1A:
      return 0x7F;
    default:
      return unicode;
  }
}

char16_t ControlToIcu(char16_t unicode) {
  switch (unicode) {
    case 0x1A:
      return 0x1C;
    case 0x1C:
      return 0x7F;
    case 0x7F:
      return 0x1A;
    default:
      return unicode;
  }
}

void MapControls(QString& text, char16_t (*map)(char16_t)) {
  for (QChar& character : text) character = QChar(map(character.unicode()));
}

std::optional<QString> DecodeShiftJis(QByteArrayView bytes) {
  QStringDecoder decoder(kShiftJis);
  QString text = decoder.decode(bytes);
  if (decoder.hasError()) return std::nullopt;
  QStringEncoder encoder(kShiftJis);
  const QByteArray back = encoder.encode(text);
  if (back != bytes || encoder.hasError()) return std::nullopt;
  MapControls(text, ControlFromIcu);
  return text;
}

// Whether `lead` starts a two-byte Shift-JIS character.
bool IsShiftJisLead(char c) {
  const auto byte = static_cast<quint8>(c);
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

QString DecodeShiftJisLenient(QByteArrayView bytes) {
  QString out;
  for (qsizetype i = 0; i < bytes.size();) {
    const qsizetype size = IsShiftJisLead(bytes[i]) && i + 1 < bytes.size() ? 2 : 1;
    if (const auto character = DecodeShiftJis(bytes.sliced(i, size))) {
      out.append(*character);
      i += size;
    } else {
      out.append(QChar::ReplacementCharacter);
      ++i;
    }
  }
  return out;
}

std::optional<QByteArray> EncodeShiftJis(QStringView text) {
  QStringEncoder encoder(kShiftJis);
  QString icu = text.toString();
  MapControls(icu, ControlToIcu);
  QByteArray bytes = encoder.encode(icu);
  if (encoder.hasError() || DecodeShiftJis(bytes) != text.toString()) return std::nullopt;
  return bytes;
}

std::optional<QByteArray> EncodeEucJp(QStringView text) {
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

std::optional<QByteArray> EncodeWindows1252(QStringView text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (const QChar character : text) {
    const std::optional<quint8> byte = KeyByte(character);
    if (!byte) return std::nullopt;
    bytes.append(static_cast<char>(*byte));
  }
  return bytes;
}

}  // namespace

std::optional<QString> Decode(QByteArrayView bytes, Encoding encoding) {
  switch (encoding) {
    case Encoding::kEucJp:
      return DecodeEucJp(bytes, false);
    case Encoding::kShiftJis:
      return DecodeShiftJis(bytes);
    case Encoding::kUtf8:
      if (!IsValidUtf8(bytes)) return std::nullopt;
      return Utf8ToString(bytes);
    case Encoding::kWindows1252:
      return DecodeWindows1252(bytes, false);
  }
  return std::nullopt;
}

QString DecodeLenient(QByteArrayView bytes, Encoding encoding) {
  switch (encoding) {
    case Encoding::kEucJp:
      return *DecodeEucJp(bytes, true);
    case Encoding::kShiftJis:
      return DecodeShiftJisLenient(bytes);
    case Encoding::kUtf8:
      return Utf8ToString(bytes);
    case Encoding::kWindows1252:
      return *DecodeWindows1252(bytes, true);
  }
  return {};
}

std::optional<QByteArray> EncodeText(QStringView text, Encoding encoding) {
  switch (encoding) {
    case Encoding::kEucJp:
      return EncodeEucJp(text);
    case Encoding::kShiftJis:
      return EncodeShiftJis(text);
    case Encoding::kUtf8: {
      for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
          ++i;
        } else if (text[i].isSurrogate()) {
          return std::nullopt;  // a lone half of a pair has no UTF-8 form
        }
      }
      return text.toUtf8();
    }
    case Encoding::kWindows1252:
      return EncodeWindows1252(text);
  }
  return std::nullopt;
}

EncodedText EncodeWhatFits(QStringView text, Encoding encoding) {
  EncodedText out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool pair =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    const qsizetype length = pair ? 2 : 1;
    if (const auto encoded = EncodeText(text.sliced(i, length), encoding)) {
      out.bytes.append(*encoded);
    } else {
      out.dropped = true;
    }
    i += length - 1;
  }
  return out;
}

std::optional<QByteArray> Convert(QByteArrayView bytes, Encoding from, Encoding to) {
  if (from == to) return bytes.toByteArray();
  const std::optional<QString> text = Decode(bytes, from);
  if (!text) return std::nullopt;
  std::optional<QByteArray> converted = EncodeText(*text, to);
  // Two Latin letters written as single bytes in EUC-JP read back as one kanji there.
  if (!converted || Decode(*converted, to) != text) return std::nullopt;
  return converted;
}

qsizetype LastCharacterSize(QByteArrayView bytes, Encoding encoding) {
  if (bytes.isEmpty()) return 0;
  switch (encoding) {
    case Encoding::kUtf8: {
      if (!IsValidUtf8(bytes)) return 1;
      qsizetype start = bytes.size() - 1;
      while (start > 0 && (static_cast<quint8>(bytes[start]) & 0xC0) == 0x80) --start;
      return bytes.size() - start;
    }
    case Encoding::kShiftJis: {
      // A trail byte can look like a lead or a single byte: only a walk from the start knows.
      qsizetype last = 1;
      for (qsizetype i = 0; i < bytes.size(); i += last) {
        last = IsShiftJisLead(bytes[i]) && i + 1 < bytes.size() ? 2 : 1;
      }
      return last;
    }
    case Encoding::kEucJp:
    case Encoding::kWindows1252:
      break;
  }
  return 1;
}

}  // namespace orvane::text
