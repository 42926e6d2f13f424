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

}  // namespace orvane::tools
