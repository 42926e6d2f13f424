// The font module's one entry point, looked up by name when `font` runs.
#include "font_command.h"

extern "C" Q_DECL_EXPORT void orvane_tbl_font(const orvane::tools::ParsedArguments* arguments,
                                              orvane::tools::OutputSink* out,
                                              orvane::tools::ToolResult* result) {
  *result = orvane::tools::ReadFont(*arguments, *out);
}
