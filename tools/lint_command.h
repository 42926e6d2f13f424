#pragma once

#include "tbl_tool.h"
#include "tool_options.h"
#include "tool_output.h"

namespace orvane::tools {

// `orvane-tbl lint FILE`: what a check of the whole table finds, one a line
// ("FILE:12: 20 and 8140 both read あ; …"), then how many of each kind. Exit 0 when it finds
// nothing, 1 when it finds something or the table does not load (with check's message), 2 for a
// wrong command line.
[[nodiscard]] ToolResult RunLint(const ParsedArguments& arguments, OutputSink& out);

}  // namespace orvane::tools
