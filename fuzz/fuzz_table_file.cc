// Whatever loads without an error must save to bytes that load again to the same bytes.
#include "model/table_document.h"
#include "model/table_file.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvane::model;
  TableDocument document;
  const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (LoadTableFromBytes(document, input)) return 0;

  const QByteArray saved = TableToBytes(document);
  TableDocument reloaded;
  if (const auto error = LoadTableFromBytes(reloaded, saved)) {
    std::fprintf(stderr, "saved bytes fail to load at line %lld: %s\n",
                 static_cast<long long>(error->line), qPrintable(error->reason));
    std::abort();
  }
  if (TableToBytes(reloaded) != saved) {
    std::fprintf(stderr, "saving the reloaded table gives other bytes\n");
    std::abort();
  }
  return 0;
}
