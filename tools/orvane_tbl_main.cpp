#include "tbl_tool.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
  const QCoreApplication app(argc, argv);
  const orvane::tools::ToolResult result =
      orvane::tools::RunTblTool(QCoreApplication::arguments().mid(1));
  std::fwrite(result.out.constData(), 1, static_cast<size_t>(result.out.size()), stdout);
  std::fwrite(result.err.constData(), 1, static_cast<size_t>(result.err.size()), stderr);
  return result.exit_code;
}
