#pragma once

#include "tbl_tool.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace orvane::tools {

// `orvane-tbl convert [--from ENCODING] [--keep-layout] IN OUT ENCODING`, `arguments` being
// those after "convert": every text rewritten in ENCODING, read in the encoding detected or the
// one --from names; with --keep-layout, in its place. A text that cannot be rewritten writes
// nothing and names its line; characters written as their counterparts are named on standard
// error, and so are bytes that a later read takes for another encoding.
[[nodiscard]] ToolResult RunConvert(const QList<QByteArray>& arguments, QByteArrayView usage);

}  // namespace orvane::tools
