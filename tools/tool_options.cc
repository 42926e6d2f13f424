#include "tool_options.h"

#include "tool_text.h"

#include <algorithm>

namespace orvane::tools {

bool ParsedArguments::Has(QByteArrayView name) const {
  return std::any_of(options_.cbegin(), options_.cend(),
                     [name](const auto& option) { return option.first == name; });
}

std::optional<QByteArray> ParsedArguments::Value(QByteArrayView name) const {
  for (const auto& [given, value] : options_) {
    if (given == name) return value;
  }
  return std::nullopt;
}

std::variant<ParsedArguments, QString> ParseArguments(const QList<QByteArray>& arguments,
                                                      std::span<const OptionSyntax> syntax) {
  ParsedArguments parsed;
  bool options_ended = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QByteArray& argument = arguments[i];
    if (options_ended || !argument.startsWith("--")) {
      parsed.positional_.append(argument);
      continue;
    }
    if (argument == "--") {
      options_ended = true;
      continue;
    }
    const QString shown = QString::fromUtf8(PrintableName(argument));
    const auto known = std::find_if(syntax.begin(), syntax.end(), [&](const OptionSyntax& option) {
      return option.name == argument;
    });
    if (known == syntax.end()) return QStringLiteral("unknown option '%1'").arg(shown);
    if (parsed.Has(argument)) return QStringLiteral("%1 is given more than once").arg(shown);
    QByteArray value;
    if (known->takes_value) {
      if (i + 1 == arguments.size()) return QStringLiteral("%1 needs a value").arg(shown);
      value = arguments[++i];
    }
    parsed.options_.append({argument, value});
  }
  return parsed;
}

}  // namespace orvane::tools
