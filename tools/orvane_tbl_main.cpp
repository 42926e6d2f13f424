#include "tbl_tool.h"
#include "tool_output.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char** argv) {
  // A file-size limit fails the write, which leaves the old file, instead of ending the program.
  (void)std::signal(SIGXFSZ, SIG_IGN);
  // A closed output (`| head`) fails the write instead of killing the program, so that it stops
  // quietly and says nothing about it.
  (void)std::signal(SIGPIPE, SIG_IGN);
  // The bytes as given: a file name need not be UTF-8.
  QList<QByteArray> arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QByteArray(argv[i]));
  orvane::tools::DescriptorOutput out(STDOUT_FILENO);
  const orvane::tools::ToolResult result = orvane::tools::RunTblTool(arguments, out);
  std::fwrite(result.err.constData(), 1, static_cast<size_t>(result.err.size()), stderr);
  if (out.Error() != 0 && out.Error() != EPIPE) {
    std::fprintf(stderr, "orvane-tbl: standard output: %s\n", std::strerror(out.Error()));
  }
  return result.exit_code;
}
