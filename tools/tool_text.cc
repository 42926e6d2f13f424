#include "tool_text.h"

#include "text/display_text.h"
#include "text/file_name.h"

namespace orvane::tools {

QByteArray PrintableName(QByteArrayView name) {
  return PrintableText(text::ReadableFileName(name));
}

QByteArray PrintableText(QString text) {
  for (QChar& character : text) {
    if (character.unicode() >= 0x80 && character.unicode() < 0xA0) {
      character = QChar::ReplacementCharacter;
    }
  }
  return text::WithControlPictures(std::move(text)).toUtf8();
}

bool IsPrintableUtf8(QByteArrayView utf8) {
  for (qsizetype i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<quint8>(utf8[i]);
    if (byte < 0x20 || byte == 0x7F) return false;
    // U+0080..U+009F, the C1 controls, are C2 80..C2 9F.
    if (byte == 0xC2 && i + 1 < utf8.size() && static_cast<quint8>(utf8[i + 1]) < 0xA0) {
      return false;
    }
  }
  return true;
}

}  // namespace orvane::tools
