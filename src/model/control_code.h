#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

namespace orvane::model {

// The bytes that follow a control code in a game's text, as its table line gives them: a number
// of bytes ("$C9=<pause=>,1"), or one byte for each name ("$f0=[area],id", "$05=[color],c=%D"),
// shown in hexadecimal, decimal or binary.
struct ControlArgument {
  enum class Display : quint8 { kHex, kDecimal, kBinary };
  QByteArray name;  // empty for a counted argument
  Display display = Display::kHex;

  friend bool operator==(const ControlArgument&, const ControlArgument&) = default;
};

inline constexpr int kMaxControlArguments = 255;

// The arguments a control code's line gives after its label's comma; empty text gives none.
// Nothing when the text is not of that form: a number past 0..255, an empty or ill-made name, a
// display other than %X, %D or %B.
[[nodiscard]] std::optional<QList<ControlArgument>> ParseControlArguments(QByteArrayView text);

// A control code's label less the line breaks that end it ("[person]\n" is "[person]" and one
// line break; "\\n" is a backslash and an n), and how many there are.
struct LabelBreaks {
  QByteArrayView label;
  int breaks = 0;
};
[[nodiscard]] LabelBreaks SplitLineBreaks(QByteArrayView text);

}  // namespace orvane::model
