#pragma once

#include "tbl_tool.h"
#include "tool_options.h"
#include "tool_output.h"

#include <array>

namespace orvane::tools {

// `decode TABLE DATA [--from HEX] [--length N]`: a game's data read through a table, streamed to
// `out`. `encode TABLE TEXT` or `encode TABLE --file FILE`: the bytes a table makes for a text.
// TEXT is read as UTF-8; the other arguments are file names and numbers.
inline constexpr std::array<OptionSyntax, 2> kDecodeOptions{{{"--from"}, {"--length"}}};
inline constexpr std::array<OptionSyntax, 1> kEncodeOptions{{{"--file"}}};

[[nodiscard]] ToolResult RunDecode(const ParsedArguments& arguments, OutputSink& out);
[[nodiscard]] ToolResult RunEncode(const ParsedArguments& arguments, OutputSink& out);

}  // namespace orvane::tools
