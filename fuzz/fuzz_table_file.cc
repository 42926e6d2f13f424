// Whatever loads without an error must save to bytes that load again to the same bytes, in
// every file form: plain, behind a UTF-8 mark, and UTF-16 of either byte order, with or without
// its mark; and the codes of two to four bytes, with their marks, must read back as they were.
#include "model/table_document.h"
#include "model/table_file.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvane::model;
  TableDocument document;
  const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (LoadTableFromBytes(document, input)) return 0;

  // A UTF-16 table whose texts are not all UTF-8 cannot be saved; that refusal is the answer.
  const auto saved = FileBytes(document);
  if (!std::holds_alternative<QByteArray>(saved)) return 0;
  const QByteArray& bytes = std::get<QByteArray>(saved);
  TableDocument reloaded;
  if (const auto error = LoadTableFromBytes(reloaded, bytes)) {
    std::fprintf(stderr, "saved bytes fail to load at line %lld: %s\n",
                 static_cast<long long>(error->line), qPrintable(error->reason));
    std::abort();
  }
  // UTF-16 read without a mark takes one where its text no longer looks like UTF-16.
  using orvane::text::FileForm;
  const bool marked =
      (document.Form() == FileForm::kUtf16LeNoBom && reloaded.Form() == FileForm::kUtf16Le) ||
      (document.Form() == FileForm::kUtf16BeNoBom && reloaded.Form() == FileForm::kUtf16Be);
  if (reloaded.Form() != document.Form() && !marked) Fail("the file form changed");
  if (reloaded.DefinedCodes() != document.DefinedCodes()) Fail("the codes changed");
  for (const Code& code : document.DefinedCodes()) {
    if (reloaded.GetCellText(code) != document.GetCellText(code) ||
        (!code.IsSingleByte() && (reloaded.IsSpecial(code) != document.IsSpecial(code) ||
                                  reloaded.MarkLabel(code) != document.MarkLabel(code)))) {
      Fail("a code reads back otherwise");
    }
  }
  const auto again = FileBytes(reloaded);
  if (!std::holds_alternative<QByteArray>(again)) Fail("the reloaded table cannot be saved");
  if (std::get<QByteArray>(again) != bytes) Fail("saving the reloaded table gives other bytes");
  return 0;
}
