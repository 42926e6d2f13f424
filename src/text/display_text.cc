#include "text/display_text.h"

#include "text/codec.h"
#include "text/utf8.h"
#include "text/windows1252.h"

#include <algorithm>

namespace orvane::text {
namespace {

QChar ByteChar(quint8 byte) {
  if (byte < 0x20) return QChar(static_cast<char16_t>(0x2400 + byte));  // control pictures
  if (byte == 0x7F) return QChar(char16_t{0x2421});
  if (byte == 0xAD) return QChar(char16_t{0x2010});  // a soft hyphen would show nothing
  return Windows1252Char(byte).value_or(QChar::ReplacementCharacter);
}

// Control characters as their pictures, so a cell never shows blank and never breaks its row.
QString Visible(QString text) {
  for (QChar& character : text) {
    const char16_t unicode = character.unicode();
    if (unicode < 0x20 || unicode == 0x7F || unicode == 0xAD) {
      character = ByteChar(static_cast<quint8>(unicode));
    }
  }
  return text;
}

}  // namespace

QString DisplayText(QByteArrayView bytes, Encoding encoding) {
  if (encoding == Encoding::kWindows1252 || encoding == Encoding::kEucJp || IsAscii(bytes)) {
    return Visible(DecodeLenient(
        bytes, encoding == Encoding::kWindows1252 ? Encoding::kWindows1252 : Encoding::kEucJp));
  }
  // A text that is not valid in the table's encoding falls back to the format's own reading.
  if (auto text = Decode(bytes, encoding)) return Visible(*std::move(text));
  return Visible(DecodeLenient(bytes, Encoding::kEucJp));
}

QString WithControlPictures(QString text) { return Visible(std::move(text)); }

bool IsInvisibleControl(char16_t unit) {
  return (unit >= 0x80 && unit < 0xA0) || unit == 0x061C || unit == 0x200E || unit == 0x200F ||
         (unit >= 0x2028 && unit <= 0x202E) || (unit >= 0x2066 && unit <= 0x2069);
}

QString WithInvisibleAsCodes(QString text) {
  const auto first = std::find_if(text.cbegin(), text.cend(),
                                  [](QChar c) { return IsInvisibleControl(c.unicode()); });
  if (first == text.cend()) return text;
  QString shown = text.first(first - text.cbegin());
  for (auto at = first; at != text.cend(); ++at) {
    if (IsInvisibleControl(at->unicode())) {
      shown += QStringLiteral("<U+%1>").arg(at->unicode(), 4, 16, QChar(u'0')).toUpper();
    } else {
      shown += *at;
    }
  }
  return shown;
}

QString Abridged(const QString& text) {
  if (text.size() <= kShownCharacters) return text;
  // A character beyond the 16-bit range is not cut in halves.
  const qsizetype end =
      text.at(kShownCharacters - 1).isHighSurrogate() ? kShownCharacters - 1 : kShownCharacters;
  return text.first(end) + u'\u2026';
}

}  // namespace orvane::text
