#pragma once

#include "glyphs/font_layout.h"
#include "tbl_tool.h"
#include "tool_options.h"

#include <QString>

#include <variant>

namespace orvane::tools {

inline constexpr int kMaxTop = 20;

// What `font` is asked to read, from its options alone; the data and the font are checked later.
struct FontRequest {
  QByteArray data;  // DATA as given
  glyphs::FontLayout font;
  qint64 count = 0;
  QString family;
  int top = 0;  // 0: no comment lines
  bool fit_jis = false;
};

// The request, or a usage error (exit 2) saying which option is wrong.
[[nodiscard]] std::variant<FontRequest, ToolResult> ReadFontRequest(
    const ParsedArguments& arguments);

}  // namespace orvane::tools
