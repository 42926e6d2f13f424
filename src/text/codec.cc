#include "text/codec.h"

#include "text/code_tables.h"
#include "text/utf8.h"
#include "text/windows1252.h"

#include <QStringDecoder>

namespace orvane::text {
namespace {

// Calls `use` with the reader of an encoding other than UTF-8, inline for every byte.
template <typename Use>
auto WithReader(Encoding encoding, Use use) {
  const CodeTables& tables = CodeTables::Get();
  switch (encoding) {
    case Encoding::kShiftJis:
      return use(
          [&tables](QByteArrayView bytes, qsizetype at) { return tables.ShiftJisAt(bytes, at); });
    case Encoding::kWindows1252:
      return use([&tables](QByteArrayView bytes, qsizetype at) {
        return tables.Windows1252At(bytes, at);
      });
    case Encoding::kEucJp:
    case Encoding::kUtf8:
      break;
  }
  return use([&tables](QByteArrayView bytes, qsizetype at) { return tables.EucJpAt(bytes, at); });
}

// Decodes a byte at a time or a pair at a time; `lenient` puts U+FFFD for each byte that the
// encoding cannot read.
template <typename ReadAt>
std::optional<QString> DecodeWith(QByteArrayView bytes, ReadAt read, bool lenient) {
  QString out(bytes.size(), Qt::Uninitialized);
  char16_t* const units = reinterpret_cast<char16_t*>(out.data());
  qsizetype size = 0;
  for (qsizetype i = 0; i < bytes.size();) {
    const CharacterAt character = read(bytes, i);
    if (character.size == 0 && !lenient) return std::nullopt;
    units[size++] = character.size == 0 ? char16_t{0xFFFD} : character.character;
    i += character.size == 0 ? 1 : character.size;
  }
  out.truncate(size);
  return out;
}

// As DecodeWith, straight to UTF-8: one buffer, no string between.
template <typename ReadAt>
bool AppendUtf8With(QByteArray& out, QByteArrayView bytes, ReadAt read, bool lenient) {
  const qsizetype start = out.size();
  out.resize(start + 3 * bytes.size());
  char* at = out.data() + start;
  for (qsizetype i = 0; i < bytes.size();) {
    CharacterAt character = read(bytes, i);
    if (character.size == 0) {
      if (!lenient) {
        out.truncate(start);
        return false;
      }
      character = {0xFFFD, 1};
    }
    const char16_t unit = character.character;  // never a surrogate: the tables hold none
    if (unit < 0x80) {
      *at++ = static_cast<char>(unit);
    } else if (unit < 0x800) {
      *at++ = static_cast<char>(0xC0 | unit >> 6);
      *at++ = static_cast<char>(0x80 | (unit & 0x3F));
    } else {
      *at++ = static_cast<char>(0xE0 | unit >> 12);
      *at++ = static_cast<char>(0x80 | (unit >> 6 & 0x3F));
      *at++ = static_cast<char>(0x80 | (unit & 0x3F));
    }
    i += character.size;
  }
  out.truncate(at - out.constData());
  return true;
}

QString Utf8ToString(QByteArrayView bytes) {
  // Not QString::fromUtf8: it drops a U+FEFF at the start, which is text of the cell.
  QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
  return decoder.decode(bytes);
}

// Whether `lead` starts a two-byte Shift-JIS character.
bool IsShiftJisLead(char c) {
  const auto byte = static_cast<quint8>(c);
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsHalfWidthKatakana(char16_t unicode) {
  return unicode >= kFirstHalfWidthKatakana && unicode <= kLastHalfWidthKatakana;
}

void AppendCode(QByteArray& bytes, quint16 code) {
  bytes.append(static_cast<char>(code >> 8)).append(static_cast<char>(code & 0xFF));
}

// The bytes of one character in code page 932, or false when it has none.
bool AppendShiftJis(QByteArray& bytes, char16_t unicode) {
  if (unicode < 0x80) {
    bytes.append(static_cast<char>(unicode));
  } else if (IsHalfWidthKatakana(unicode)) {
    bytes.append(static_cast<char>(0xA1 + unicode - kFirstHalfWidthKatakana));
  } else if (const quint16 code = CodeTables::Get().ShiftJisCode(unicode); code != 0) {
    AppendCode(bytes, code);
  } else {
    return false;
  }
  return true;
}

// ASCII stays itself; a JIS X 0208 character takes its pair, a half-width katakana its form
// behind 8E; a Latin letter outside JIS X 0208 takes its Windows-1252 byte, as its key would type
// it. Never the three-byte JIS X 0212 form, which the format's reading takes for other
// characters.
bool AppendEucJp(QByteArray& bytes, char16_t unicode) {
  const quint16 code = unicode < 0x80 ? 0 : CodeTables::Get().EucJpCode(unicode);
  const std::optional<quint8> byte = KeyByte(QChar(unicode));
  if (code != 0) {
    AppendCode(bytes, code);
  } else if (IsHalfWidthKatakana(unicode)) {
    bytes.append('\x8E').append(static_cast<char>(0xA1 + unicode - kFirstHalfWidthKatakana));
  } else if (byte) {
    bytes.append(static_cast<char>(*byte));
  } else {
    return false;
  }
  return true;
}

bool AppendWindows1252(QByteArray& bytes, char16_t unicode) {
  const std::optional<quint8> byte = KeyByte(QChar(unicode));
  if (!byte) return false;
  bytes.append(static_cast<char>(*byte));
  return true;
}

std::optional<QByteArray> EncodeSingleUnits(QStringView text, Encoding encoding) {
  bool (*append)(QByteArray&, char16_t) = AppendWindows1252;
  if (encoding == Encoding::kShiftJis) append = AppendShiftJis;
  if (encoding == Encoding::kEucJp) append = AppendEucJp;
  QByteArray bytes;
  bytes.reserve(text.size() * 2);
  for (const QChar character : text) {
    if (append(bytes, character.unicode())) continue;
    const std::optional<QChar> counterpart = Counterpart(character, encoding);
    if (!counterpart || !append(bytes, counterpart->unicode())) return std::nullopt;
  }
  return bytes;
}

QString WithCounterparts(QStringView text, Encoding encoding) {
  QString out = text.toString();
  for (QChar& character : out) character = Counterpart(character, encoding).value_or(character);
  return out;
}

}  // namespace

std::optional<QString> Decode(QByteArrayView bytes, Encoding encoding) {
  if (encoding != Encoding::kUtf8) {
    return WithReader(encoding, [&](auto read) { return DecodeWith(bytes, read, false); });
  }
  if (!IsValidUtf8(bytes)) return std::nullopt;
  return Utf8ToString(bytes);
}

QString DecodeLenient(QByteArrayView bytes, Encoding encoding) {
  // An empty cell, as on a new table's first screen, needs no code tables built.
  if (bytes.isEmpty()) return {};
  if (encoding == Encoding::kUtf8) return Utf8ToString(bytes);
  return *WithReader(encoding, [&](auto read) { return DecodeWith(bytes, read, true); });
}

void AppendLenientUtf8(QByteArray& out, QByteArrayView bytes, Encoding encoding) {
  if (IsAscii(bytes) || (encoding == Encoding::kUtf8 && IsValidUtf8(bytes))) {
    out.append(bytes);
  } else if (encoding == Encoding::kUtf8) {
    out.append(Utf8ToString(bytes).toUtf8());
  } else {
    WithReader(encoding, [&](auto read) { return AppendUtf8With(out, bytes, read, true); });
  }
}

bool IsValidIn(QByteArrayView bytes, Encoding encoding) {
  if (encoding == Encoding::kUtf8) return IsValidUtf8(bytes);
  return WithReader(encoding, [&](auto read) {
    for (qsizetype i = FirstNonAscii(bytes); i < bytes.size();) {
      const qsizetype size = read(bytes, i).size;
      if (size == 0) return false;
      i += size;
    }
    return true;
  });
}

std::optional<QChar> Counterpart(QChar character, Encoding encoding) {
  if (encoding != Encoding::kEucJp && encoding != Encoding::kShiftJis) return std::nullopt;
  // The JIS forms that these tables write in their Microsoft forms, and in code page 932 the
  // Latin-1 signs too (EUC-JP keeps them as their Windows-1252 bytes).
  switch (character.unicode()) {
    case 0x301C:  // 〜 as ～
      return QChar(char16_t{0xFF5E});
    case 0x2212:  // − as －
      return QChar(char16_t{0xFF0D});
    case 0x2016:  // ‖ as ∥
      return QChar(char16_t{0x2225});
    default:
      break;
  }
  if (encoding == Encoding::kEucJp) return std::nullopt;
  switch (character.unicode()) {
    case 0x00A2:  // ¢ as ￠
      return QChar(char16_t{0xFFE0});
    case 0x00A3:  // £ as ￡
      return QChar(char16_t{0xFFE1});
    case 0x00AC:  // ¬ as ￢
      return QChar(char16_t{0xFFE2});
    default:
      return std::nullopt;
  }
}

std::optional<QByteArray> EncodeText(QStringView text, Encoding encoding) {
  if (encoding != Encoding::kUtf8) return EncodeSingleUnits(text, encoding);
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      ++i;
    } else if (text[i].isSurrogate()) {
      return std::nullopt;  // a lone half of a pair has no UTF-8 form
    }
  }
  return text.toUtf8();
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
  QByteArray converted;
  if (!AppendConverted(converted, bytes, from, to)) return std::nullopt;
  return converted;
}

bool AppendConverted(QByteArray& out, QByteArrayView bytes, Encoding from, Encoding to) {
  if (from == to || IsAscii(bytes)) {  // ASCII is itself in all four
    out.append(bytes);
    return true;
  }
  if (to == Encoding::kUtf8) {
    return WithReader(from, [&](auto read) { return AppendUtf8With(out, bytes, read, false); });
  }
  const std::optional<QString> text = Decode(bytes, from);
  if (!text) return false;
  const std::optional<QByteArray> converted = EncodeText(*text, to);
  // Two Latin letters written as single bytes in EUC-JP read back as one kanji there. In the
  // other encodings each character's bytes stand apart.
  if (!converted ||
      (to == Encoding::kEucJp && Decode(*converted, to) != WithCounterparts(*text, to))) {
    return false;
  }
  out.append(*converted);
  return true;
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
