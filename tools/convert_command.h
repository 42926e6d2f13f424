#pragma once

#include "tbl_tool.h"
#include "tool_options.h"
#include "tool_output.h"

#include <array>

namespace orvane::tools {

inline constexpr std::array<OptionSyntax, 2> kConvertOptions{
    {{"--from"}, {"--keep-layout", false}}};

// `orvane-tbl convert [--from ENCODING] [--keep-layout] IN OUT ENCODING`: every text rewritten in
// ENCODING, read in the encoding detected or the one --from names; with --keep-layout, in its
// place. A text that cannot be rewritten writes nothing and names its line; characters written as
// their counterparts are named on standard error, and so are bytes that a later read takes for
// another encoding.
[[nodiscard]] ToolResult RunConvert(const ParsedArguments& arguments, OutputSink& out);

}  // namespace orvane::tools
