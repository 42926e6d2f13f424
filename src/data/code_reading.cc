#include "data/code_reading.h"

#include "text/display_text.h"

namespace orvane::data {

std::optional<CodeReading> MakeReading(const model::Code& code, const QByteArray& text,
                                       bool special, QByteArrayView label,
                                       text::Encoding encoding) {
  if (text.isEmpty()) return std::nullopt;
  CodeReading reading;
  reading.code = code;
  if (!special || (text != "/" && text != "*")) {
    reading.SetShown(text::DisplayText(text, encoding));
    return reading;
  }
  reading.kind = text == "/" ? CodeKind::kEnd : CodeKind::kLineBreak;
  reading.labelled = !label.isEmpty();
  if (reading.labelled) {
    reading.SetShown(text::DisplayText(label, encoding));
  } else {
    reading.SetShown((reading.kind == CodeKind::kEnd ? kEndMarker : kLineMarker).toString());
  }
  return reading;
}

CodeReading TextReading(const model::Code& code, QString text) {
  CodeReading reading;
  reading.code = code;
  reading.SetShown(std::move(text));
  return reading;
}

const QString& UnknownByteText(quint8 byte) {
  static const std::array<QString, 256> kShown = [] {
    std::array<QString, 256> shown;
    for (int b = 0; b < 256; ++b) {
      shown[static_cast<size_t>(b)] = QStringLiteral("<$%1>").arg(b, 2, 16, QChar(u'0')).toUpper();
    }
    return shown;
  }();
  return kShown[byte];
}

}  // namespace orvane::data
