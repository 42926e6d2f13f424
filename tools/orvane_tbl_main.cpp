#include "tbl_tool.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  // A file-size limit fails the write, which leaves the old file, instead of ending the program.
  (void)std::signal(SIGXFSZ, SIG_IGN);
  // The bytes as given: a file name need not be UTF-8.
  QList<QByteArray> arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QByteArray(argv[i]));
  const orvane::tools::ToolResult result = orvane::tools::RunTblTool(arguments);
  const auto size = static_cast<size_t>(result.out.size());
  const bool written =
      std::fwrite(result.out.constData(), 1, size, stdout) == size && std::fflush(stdout) == 0;
  const int error = errno;
  std::fwrite(result.err.constData(), 1, static_cast<size_t>(result.err.size()), stderr);
  if (!written) {
    std::fprintf(stderr, "orvane-tbl: standard output: %s\n", std::strerror(error));
    return orvane::tools::kExitFailed;
  }
  return result.exit_code;
}
