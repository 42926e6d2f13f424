#include "ui/display_text.h"

#include "model/table_document.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace orvane::ui {
namespace {

// Windows-1252 at 0x80..0x9F; 0 marks the five unassigned bytes.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char16_t kUnassigned = 0xFFFD;

QChar ByteChar(quint8 byte) {
  if (byte < 0x20) return QChar(static_cast<char16_t>(0x2400 + byte));  // control pictures
  if (byte == 0x7F) return QChar(char16_t{0x2421});
  if (byte == 0xAD) return QChar(char16_t{0x2010});  // a soft hyphen would show nothing
  if (byte >= 0x80 && byte < 0xA0) {
    const char16_t mapped = kCp1252High[byte - 0x80];
    return QChar(mapped != 0 ? mapped : kUnassigned);
  }
  return QChar(static_cast<char16_t>(byte));
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

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF, no cut sequence.
bool IsValidUtf8(QByteArrayView bytes) {
  qsizetype i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<quint8>(bytes[i]);
    int length = 0;
    quint8 low = 0x80;
    quint8 high = 0xBF;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (i + length > bytes.size()) return false;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<quint8>(bytes[i + k]);
      if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return false;
    }
    i += length;
  }
  return true;
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

bool IsAscii(QByteArrayView bytes) {
  for (char c : bytes) {
    if (static_cast<quint8>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

QString DisplayText(QByteArrayView bytes, TextEncoding encoding) {
  if (encoding == TextEncoding::kUtf8 && !IsAscii(bytes)) {
    if (auto text = Utf8Display(bytes)) return *std::move(text);
  }
  return EucDisplay(bytes);
}

TextEncoding DetectEncoding(const model::TableDocument& document) {
  bool any_non_ascii = false;
  auto all_valid = [&](QByteArrayView text) {
    if (IsAscii(text)) return true;
    any_non_ascii = true;
    return IsValidUtf8(text);
  };
  for (int code = 0; code < model::kCodeCount; ++code) {
    if (!all_valid(document.GetCellText(static_cast<quint8>(code)))) return TextEncoding::kEucJp;
  }
  for (int slot = 0; slot < model::kSlotCount; ++slot) {
    if (!all_valid(document.GetExtraLine(slot).value_or(QByteArray()))) {
      return TextEncoding::kEucJp;
    }
    if (!all_valid(document.GetBookmark(slot).value_or(model::Bookmark{}).title)) {
      return TextEncoding::kEucJp;
    }
  }
  return any_non_ascii ? TextEncoding::kUtf8 : TextEncoding::kEucJp;
}

std::optional<QByteArray> EncodeText(const QString& text, TextEncoding encoding) {
  if (encoding == TextEncoding::kUtf8) return text.toUtf8();
  QByteArray bytes;
  for (const QChar character : text) {
    if (const auto byte = KeyByte(character); byte && *byte < 0x80) {
      bytes.append(static_cast<char>(*byte));
    } else if (const auto pair = JisPair(character)) {
      bytes.append(*pair);
    } else if (byte) {
      bytes.append(static_cast<char>(*byte));  // a Latin letter, as its key would type it
    } else {
      return std::nullopt;
    }
  }
  return bytes;
}

std::optional<quint8> KeyByte(QChar character) {
  const char16_t unicode = character.unicode();
  if (unicode >= 0xA0 && unicode <= 0xFF) return static_cast<quint8>(unicode);
  if (unicode < 0x80) return static_cast<quint8>(unicode);
  for (size_t i = 0; i < kCp1252High.size(); ++i) {
    if (kCp1252High[i] == unicode && unicode != 0) return static_cast<quint8>(0x80 + i);
  }
  return std::nullopt;
}

}  // namespace orvane::ui
