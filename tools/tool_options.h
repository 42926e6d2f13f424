#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>
#include <span>
#include <utility>
#include <variant>

namespace orvane::tools {

// One option a command takes: "--from" with a value, or a switch such as "--keep-layout".
struct OptionSyntax {
  QByteArrayView name;
  bool takes_value = true;
};

// A command's arguments read by the one rule every command follows: an argument that starts
// with "--" is an option, anywhere among the others, each at most once, its value the next
// argument whatever it is ("--length -1"); a lone "--" makes every argument after it a
// positional one, for a text that starts with "--". "-" is positional: standard input.
class ParsedArguments {
 public:
  [[nodiscard]] const QList<QByteArray>& Positional() const { return positional_; }
  [[nodiscard]] bool Has(QByteArrayView name) const;
  // The value given to the option, or nothing when it was not given.
  [[nodiscard]] std::optional<QByteArray> Value(QByteArrayView name) const;

 private:
  friend std::variant<ParsedArguments, QString> ParseArguments(const QList<QByteArray>&,
                                                               std::span<const OptionSyntax>);
  QList<QByteArray> positional_;
  QList<std::pair<QByteArray, QByteArray>> options_;
};

// The arguments after the command's name, or why they break the rule (an unknown or repeated
// option, a missing value). How many positional arguments there are is the command's to judge.
[[nodiscard]] std::variant<ParsedArguments, QString> ParseArguments(
    const QList<QByteArray>& arguments, std::span<const OptionSyntax> syntax);

}  // namespace orvane::tools
