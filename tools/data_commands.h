#pragma once

#include "tbl_tool.h"

#include <QStringList>

#include <optional>

namespace orvane::tools {

// `decode` and `encode`: a game's data read through a table, and the bytes a table makes for a
// text. Nothing for any other command. A usage error comes back with exit code kExitUsage and
// its reason in `err`, for the caller to follow with the usage.
[[nodiscard]] std::optional<ToolResult> RunDataCommand(const QStringList& arguments);

}  // namespace orvane::tools
