#pragma once

#include "tbl_tool.h"
#include "tool_options.h"
#include "tool_output.h"

#include <array>

namespace orvane::tools {

// At most this many candidates are printed, the best; the count of the others goes to standard
// error.
inline constexpr int kPrintedCandidates = 100;

inline constexpr std::array<OptionSyntax, 2> kSearchOptions{{{"--order"}, {"--values"}}};
// How the search's messages begin.
inline constexpr QByteArrayView kSearchPrefix = "orvane-tbl search: ";

// `orvane-tbl search DATA WORD [--order ORDER] [--values 8|16be|16le]`: the candidates, best
// first, one a line ("3 hits: A=41 (first at 0001F3A0)"). Exit 1 when nothing is found or the
// data cannot be read; 2 for wrong arguments, with the reason and the usage, or for a word that
// cannot be searched, with the reason. The word is read as UTF-8, DATA is a file name.
[[nodiscard]] ToolResult RunSearch(const ParsedArguments& arguments, OutputSink& out);

}  // namespace orvane::tools
