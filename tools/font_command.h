#pragma once

#include "tbl_tool.h"
#include "tool_options.h"
#include "tool_output.h"

#include <array>

namespace orvane::tools {

// `font DATA --format FORMAT --size WxH --from OFFSET --count N --code CODE [--tiles rows|columns]
// [--stride BYTES] [--font FAMILY] [--top K] [--order jis]`: the table a game's font makes, one
// line a glyph, read by recognising each glyph against an installed font's characters.
inline constexpr std::array<OptionSyntax, 10> kFontOptions{{{"--format"},
                                                            {"--size"},
                                                            {"--from"},
                                                            {"--count"},
                                                            {"--code"},
                                                            {"--tiles"},
                                                            {"--stride"},
                                                            {"--font"},
                                                            {"--top"},
                                                            {"--order"}}};

// Drawing characters needs Qt GUI, which no other command needs: the command lives in a module
// of its own that this loads when it runs, so that the tool itself links Qt Core alone.
[[nodiscard]] ToolResult RunFont(const ParsedArguments& arguments, OutputSink& out);

// The command itself, in the module. Builds a QGuiApplication on the offscreen platform when the
// program has no application, and uses the one there is otherwise (which must be a GUI one).
[[nodiscard]] ToolResult ReadFont(const ParsedArguments& arguments, OutputSink& out);

// The module's entry point, by the name the loader looks up.
using FontEntry = void (*)(const ParsedArguments* arguments, OutputSink* out, ToolResult* result);
inline constexpr char kFontEntryName[] = "orvane_tbl_font";

}  // namespace orvane::tools
