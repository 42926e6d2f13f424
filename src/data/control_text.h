#pragma once

#include "data/code_reading.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

namespace orvane::data {

// How a control code and its argument bytes read, and the way back: a counted argument as
// "<$1E>" after the label, a named one as " id=$02" inside the label's closing "]" or ">" (after
// a label without one), then the line breaks the label ends in. The reader and the encoder both
// go by these, so what one shows the other takes.

// The label up to where named arguments go: "[area" of "[area]", the whole label otherwise.
[[nodiscard]] QStringView ControlOpening(const CodeReading& reading);
// What closes the label after its named arguments: "]", or nothing.
[[nodiscard]] QStringView ControlClosing(const CodeReading& reading);
// How the argument at `index` reads with this byte.
[[nodiscard]] QString ArgumentText(const CodeReading& reading, int index, quint8 byte);
// What a line break after a code reads as.
[[nodiscard]] QStringView LineBreakText(LineBreaks breaks);

// A control code with its arguments at the start of a text: how many units it takes with its
// line breaks, or also without them when `without_breaks`, and the argument bytes.
struct ControlMatch {
  qsizetype length = 0;
  QByteArray arguments;
};
[[nodiscard]] QList<ControlMatch> MatchControl(const CodeReading& reading, QStringView text,
                                               bool without_breaks);

// How the code reads with these arguments, in one-line form, with or without its line breaks.
[[nodiscard]] QString ControlText(const CodeReading& reading, QByteArrayView arguments,
                                  bool with_breaks);

// What a control code takes, for a message: "1 argument byte: <pause=><$XX>", "the argument id:
// [area id=$XX]".
[[nodiscard]] QString ControlUsage(const CodeReading& reading);

}  // namespace orvane::data
