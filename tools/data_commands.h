#pragma once

#include "tbl_tool.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace orvane::tools {

// `decode` and `encode`: a game's data read through a table, and the bytes a table makes for a
// text. Nothing for any other command. A usage error comes back with exit code kExitUsage and
// its reason in `err`, for the caller to follow with the usage. The arguments are the command
// line's bytes: TEXT is read as UTF-8, the others are file names and numbers.
[[nodiscard]] std::optional<ToolResult> RunDataCommand(const QList<QByteArray>& arguments);

}  // namespace orvane::tools
