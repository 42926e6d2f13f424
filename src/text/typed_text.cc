#include "text/typed_text.h"

#include "text/codec.h"
#include "text/display_text.h"
#include "text/windows1252.h"

namespace orvane::text {

namespace {

// A box shows control bytes as their pictures; those the original held go back to their bytes
// (a picture the user typed anew in a text without that byte stays a picture).
QString WithControls(QString text, const QByteArray& original) {
  for (QChar& character : text) {
    const char16_t unicode = character.unicode();
    char16_t control = 0xFFFF;
    if (unicode >= 0x2400 && unicode < 0x2420) control = unicode - 0x2400;
    if (unicode == 0x2421) control = 0x7F;
    // A line end would split the line in the file.
    if (control == 0xFFFF || control == u'\n' || control == u'\r') continue;
    if (original.contains(static_cast<char>(control))) character = QChar(control);
  }
  return text;
}

}  // namespace

std::optional<QByteArray> EditedBytes(const QString& text, const QByteArray& original,
                                      Encoding encoding) {
  if (text == DisplayText(original, encoding)) return original;
  return EncodeText(WithControls(text, original), encoding);
}

std::optional<QByteArray> KeyBytes(QChar key, Encoding encoding) {
  if (encoding == Encoding::kEucJp || encoding == Encoding::kWindows1252) {
    if (const std::optional<quint8> byte = KeyByte(key)) {
      return QByteArray(1, static_cast<char>(*byte));
    }
    if (encoding == Encoding::kWindows1252) return std::nullopt;
  }
  return EncodeText(QStringView(&key, 1), encoding);
}

}  // namespace orvane::text
