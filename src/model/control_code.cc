#include "model/control_code.h"

namespace orvane::model {
namespace {

bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::optional<ControlArgument> ParseNamed(QByteArrayView item) {
  ControlArgument argument;
  QByteArrayView name = item;
  if (const qsizetype equals = item.indexOf('='); equals >= 0) {
    name = item.first(equals);
    const QByteArrayView display = item.sliced(equals + 1);
    if (display == "%X") {
      argument.display = ControlArgument::Display::kHex;
    } else if (display == "%D") {
      argument.display = ControlArgument::Display::kDecimal;
    } else if (display == "%B") {
      argument.display = ControlArgument::Display::kBinary;
    } else {
      return std::nullopt;
    }
  }
  if (name.isEmpty()) return std::nullopt;
  for (const char c : name) {
    if (!IsNameCharacter(c)) return std::nullopt;
  }
  argument.name = name.toByteArray();
  return argument;
}

}  // namespace

std::optional<QList<ControlArgument>> ParseControlArguments(QByteArrayView text) {
  QList<ControlArgument> arguments;
  if (text.isEmpty()) return arguments;
  // One decimal number: that many bytes. A name may begin with a digit too, but not be one.
  bool digits = true;
  for (const char c : text) digits = digits && c >= '0' && c <= '9';
  if (digits) {
    if (text.size() > 3) return std::nullopt;
    const int count = text.toInt();
    if (count > kMaxControlArguments) return std::nullopt;
    arguments.resize(count);
    return arguments;
  }
  qsizetype at = 0;
  while (at <= text.size()) {
    const qsizetype comma = text.indexOf(',', at);
    const qsizetype end = comma < 0 ? text.size() : comma;
    const auto argument = ParseNamed(text.sliced(at, end - at));
    if (!argument) return std::nullopt;
    arguments.append(*argument);
    if (arguments.size() > kMaxControlArguments) return std::nullopt;
    if (comma < 0) break;
    at = comma + 1;
  }
  return arguments;
}

LabelBreaks SplitLineBreaks(QByteArrayView text) {
  LabelBreaks split{text, 0};
  // "\\n" at the end is an escaped backslash before an n: an odd run of backslashes escapes.
  while (split.label.endsWith("\\n")) {
    qsizetype backslashes = 0;
    for (qsizetype i = split.label.size() - 2; i >= 0 && split.label[i] == '\\'; --i) ++backslashes;
    if (backslashes % 2 == 0) break;
    split.label.chop(2);
    ++split.breaks;
  }
  return split;
}

}  // namespace orvane::model
