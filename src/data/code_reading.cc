#include "data/code_reading.h"

#include "text/display_text.h"

#include <algorithm>

namespace orvane::data {
namespace {

// A control code whose label is empty reads as its bytes.
QString CodeBytesText(const model::Code& code) {
  QString text;
  for (const char byte : code.Bytes()) text += UnknownByteText(static_cast<quint8>(byte));
  return text;
}

void SetControl(CodeReading& reading, QByteArrayView label, QByteArrayView arguments,
                text::Encoding encoding) {
  reading.control = true;
  reading.SetShown(label.isEmpty() ? CodeBytesText(reading.code)
                                   : text::DisplayText(label, encoding));
  // The table reader keeps a line whose arguments do not parse as an extra line.
  const QList<model::ControlArgument> parsed =
      model::ParseControlArguments(arguments).value_or(QList<model::ControlArgument>{});
  reading.arguments = static_cast<quint8>(parsed.size());
  if (!parsed.isEmpty() && !parsed.front().name.isEmpty()) reading.named = parsed;
}

}  // namespace

std::optional<CodeReading> MakeReading(const model::Code& code, const model::CodeView& held,
                                       text::Encoding encoding) {
  CodeReading reading;
  reading.code = code;
  const bool mark = held.special && (held.text == "/" || held.text == "*");
  const model::LabelBreaks split = model::SplitLineBreaks(mark ? held.label : held.text);
  reading.breaks_after = static_cast<quint8>(std::min(split.breaks, 255));
  if (held.control) {
    SetControl(reading, split.label, held.arguments, encoding);
    return reading;
  }
  if (held.text.isEmpty()) return std::nullopt;
  if (!mark) {
    reading.SetShown(text::DisplayText(split.label, encoding));
    return reading;
  }
  reading.kind = held.text == "/" ? CodeKind::kEnd : CodeKind::kLineBreak;
  reading.labelled = !split.label.isEmpty();
  if (reading.labelled) {
    reading.SetShown(text::DisplayText(split.label, encoding));
  } else {
    reading.SetShown((reading.kind == CodeKind::kEnd ? kEndMarker : kLineMarker).toString());
  }
  return reading;
}

QString OneLineText(const CodeReading& reading) {
  return reading.shown + kLineMarker.toString().repeated(reading.breaks_after);
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
