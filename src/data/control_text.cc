#include "data/control_text.h"

namespace orvane::data {
namespace {

using Display = model::ControlArgument::Display;

bool ClosesLabel(QChar c) { return c == u']' || c == u'>'; }

QString ValueText(Display display, quint8 byte) {
  switch (display) {
    case Display::kHex:
      return QStringLiteral("$%1").arg(byte, 2, 16, QChar(u'0')).toUpper();
    case Display::kDecimal:
      return QString::number(byte);
    case Display::kBinary:
      return QStringLiteral("%%1").arg(byte, 8, 2, QChar(u'0'));
  }
  return {};
}

QString Placeholder(Display display) {
  switch (display) {
    case Display::kHex:
      return QStringLiteral("$XX");
    case Display::kDecimal:
      return QStringLiteral("N");
    case Display::kBinary:
      return QStringLiteral("%BBBBBBBB");
  }
  return {};
}

// The byte a value as ValueText shows it stands for, and its length, at the start of `text`.
std::optional<std::pair<quint8, qsizetype>> ParseValue(Display display, QStringView text) {
  // The longest form a value takes; the shown text of the value read back must be the same.
  const qsizetype longest = display == Display::kBinary ? 9 : 3;
  for (qsizetype length = std::min(longest, text.size()); length > 0; --length) {
    const QStringView digits = text.first(length);
    bool ok = false;
    uint value = 0;
    switch (display) {
      case Display::kHex:
        value = digits.startsWith(u'$') ? digits.sliced(1).toUInt(&ok, 16) : 0;
        break;
      case Display::kDecimal:
        value = digits.toUInt(&ok, 10);
        break;
      case Display::kBinary:
        value = digits.startsWith(u'%') ? digits.sliced(1).toUInt(&ok, 2) : 0;
        break;
    }
    if (ok && value <= 0xFF && ValueText(display, static_cast<quint8>(value)) == digits) {
      return std::pair(static_cast<quint8>(value), length);
    }
  }
  return std::nullopt;
}

std::optional<std::pair<quint8, qsizetype>> ParseArgument(const CodeReading& reading, int index,
                                                          QStringView text) {
  if (reading.named.isEmpty()) {
    if (text.size() < 5 || !text.startsWith(u"<$") || text[4] != u'>') return std::nullopt;
    const auto value = ParseValue(Display::kHex, text.sliced(1, 3));
    if (!value) return std::nullopt;
    return std::pair(value->first, qsizetype{5});
  }
  const model::ControlArgument& argument = reading.named[index];
  const QString name = u' ' + QString::fromLatin1(argument.name) + u'=';
  if (!text.startsWith(name)) return std::nullopt;
  const auto value = ParseValue(argument.display, text.sliced(name.size()));
  if (!value) return std::nullopt;
  return std::pair(value->first, name.size() + value->second);
}

}  // namespace

QStringView ControlOpening(const CodeReading& reading) {
  const QStringView closing = ControlClosing(reading);
  return QStringView(reading.shown).chopped(closing.size());
}

QStringView ControlClosing(const CodeReading& reading) {
  // A label that is its closing bracket alone keeps it: named arguments go after it.
  if (reading.named.isEmpty() || reading.shown.size() < 2 || !ClosesLabel(reading.shown.back())) {
    return {};
  }
  return QStringView(reading.shown).last(1);
}

QString ArgumentText(const CodeReading& reading, int index, quint8 byte) {
  if (reading.named.isEmpty()) return UnknownByteText(byte);
  const model::ControlArgument& argument = reading.named[index];
  return u' ' + QString::fromLatin1(argument.name) + u'=' + ValueText(argument.display, byte);
}

QStringView LineBreakText(LineBreaks breaks) {
  return breaks == LineBreaks::kNewLine ? QStringView(u"\n") : kLineMarker;
}

QList<ControlMatch> MatchControl(const CodeReading& reading, QStringView text,
                                 bool without_breaks) {
  const QStringView opening = ControlOpening(reading);
  if (!text.startsWith(opening)) return {};
  ControlMatch match;
  match.length = opening.size();
  for (int index = 0; index < reading.arguments; ++index) {
    const auto argument = ParseArgument(reading, index, text.sliced(match.length));
    if (!argument) return {};
    match.arguments.append(static_cast<char>(argument->first));
    match.length += argument->second;
  }
  const QStringView closing = ControlClosing(reading);
  if (!text.sliced(match.length).startsWith(closing)) return {};
  match.length += closing.size();
  QList<ControlMatch> matches;
  if (reading.breaks_after == 0 || without_breaks) matches.append(match);
  const QString breaks = kLineMarker.toString().repeated(reading.breaks_after);
  if (!breaks.isEmpty() && text.sliced(match.length).startsWith(breaks)) {
    matches.append(ControlMatch{match.length + breaks.size(), match.arguments});
  }
  return matches;
}

QString ControlText(const CodeReading& reading, QByteArrayView arguments, bool with_breaks) {
  QString text = ControlOpening(reading).toString();
  for (qsizetype index = 0; index < arguments.size(); ++index) {
    text += ArgumentText(reading, static_cast<int>(index), static_cast<quint8>(arguments[index]));
  }
  text += ControlClosing(reading);
  if (with_breaks) text += kLineMarker.toString().repeated(reading.breaks_after);
  return text;
}

QString ControlUsage(const CodeReading& reading) {
  QString form = ControlOpening(reading).toString();
  QStringList names;
  for (int index = 0; index < reading.arguments; ++index) {
    if (reading.named.isEmpty()) {
      form += QStringLiteral("<$XX>");
      continue;
    }
    const model::ControlArgument& argument = reading.named[index];
    names << QString::fromLatin1(argument.name);
    form += u' ' + names.back() + u'=' + Placeholder(argument.display);
  }
  form += ControlClosing(reading);
  if (reading.named.isEmpty()) {
    const QString bytes = reading.arguments == 1
                              ? QStringLiteral("1 argument byte")
                              : QStringLiteral("%1 argument bytes").arg(reading.arguments);
    return bytes + QStringLiteral(": ") + form;
  }
  const QString which =
      names.size() == 1 ? QStringLiteral("the argument ") : QStringLiteral("the arguments ");
  return which + names.join(QStringLiteral(", ")) + QStringLiteral(": ") + form;
}

}  // namespace orvane::data
