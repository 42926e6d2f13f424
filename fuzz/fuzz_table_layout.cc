// A save that keeps the file's layout: with no change it gives the file's bytes back, and after
// edits the file it writes reads back as the edited table.
#include "model/table_document.h"
#include "model/table_file.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace orvane::model;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

QByteArray Saved(const TableDocument& document) {
  const auto bytes = FileBytes(document, SaveLayout::kKeepFile);
  if (!std::holds_alternative<QByteArray>(bytes)) Fail("a table read whole cannot be written back");
  return std::get<QByteArray>(bytes);
}

// A few edits chosen by the input's first bytes: texts of one and two bytes set and emptied, a
// mark set and cleared, an extra line and a bookmark added and removed.
void Edit(TableDocument& document, QByteArrayView input) {
  const auto at = [&](qsizetype i) { return static_cast<quint8>(i < input.size() ? input[i] : 0); };
  document.SetCellText(at(0), "Z");
  document.SetCellText(at(1), {});
  document.SetCellText(*Code::Make(static_cast<quint32>(at(2) << 8 | at(3)), 2), "Y");
  if (document.GetCellText(at(4)) == "/" || document.GetCellText(at(4)) == "*") {
    document.IsSpecial(at(4)) ? document.UnmarkSpecial(at(4)) : document.MarkSpecial(at(4));
  }
  QList<QByteArray> lines = document.ExtraLineList();
  QList<qsizetype> origins = document.GetExtraLines().Origins();
  if (!lines.isEmpty() && at(5) % 2 == 0) {
    lines.removeAt(at(5) % lines.size());
    origins.removeAt(at(5) % origins.size());
  }
  lines.insert(lines.isEmpty() ? 0 : at(6) % lines.size(), "; added");
  origins.insert(origins.isEmpty() ? 0 : at(6) % origins.size(), 0);
  document.SetExtraLines(lines, origins);
  if (document.BookmarkCount() > 0 && at(7) % 2 == 0) (void)document.RemoveBookmark(0);
  (void)document.AddBookmark(at(8), "added");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  TableDocument document;
  if (LoadTableFromBytes(document, input)) return 0;
  if (Saved(document) != input) Fail("a save with no change gives other bytes");
  Edit(document, input);
  const QByteArray bytes = Saved(document);
  TableDocument reloaded;
  if (LoadTableFromBytes(reloaded, bytes)) Fail("the saved file does not load");
  if (TableToBytes(reloaded) != TableToBytes(document))
    Fail("the saved file reads as another table");
  return 0;
}
