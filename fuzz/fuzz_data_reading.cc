// A random table of codes of one to four bytes, with marks, control codes, texts that end in line
// breaks and overlapping texts, and random data: the data reads as pieces that cover it byte for
// byte, the lookup built code by code as the table is edited reads as one built at once, and the
// bytes made for the data's own text are no more than the data's, the first in byte order among
// as many, and read back as the text.
#include "data/document_lookup.h"
#include "data/string_reader.h"
#include "data/text_encoder.h"
#include "model/table_document.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace orvane;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

// Takes bytes from the front of the input; zeros once it is used up.
struct Input {
  QByteArrayView bytes;
  quint8 Next() {
    if (bytes.isEmpty()) return 0;
    const auto byte = static_cast<quint8>(bytes[0]);
    bytes = bytes.sliced(1);
    return byte;
  }
};

// Few letters, so that texts overlap: "ab" and "a" then "b".
constexpr char kLetters[] = "abc<$>E";

void AddCode(model::TableDocument& document, Input& input) {
  const int length = input.Next() % 4 + 1;
  quint32 value = 0;
  // Lead bytes from a few, so that longer codes share them with single bytes.
  for (int i = 0; i < length; ++i) value = value << 8 | (input.Next() % 6);
  const model::Code code = *model::Code::Make(value, length);
  const quint8 kind = input.Next();
  QByteArray text;
  if (kind % 5 == 0) {
    text = kind & 0x40 ? "*" : "/";
  } else {
    for (int i = kind % 3; i >= 0; --i) text.append(kLetters[input.Next() % 7]);
  }
  if (kind % 5 == 1 && kind & 0x80) {
    // A control code: counted or named arguments, a label with or without a closing bracket.
    static const char* const kArguments[] = {"", "1", "2", "a", "a=%D,b=%B"};
    if (kind & 0x20) text.append(']');
    if (kind & 0x08) text.append("\\n");
    document.SetEntry(
        code,
        model::CodeEntry{
            kind & 0x40 ? text : QByteArray(), false, {}, true, kArguments[input.Next() % 5]});
    return;
  }
  if (kind % 5 != 0 && kind & 0x08) text.append("\\n");
  document.SetCellText(code, text);
  if (kind % 5 == 0 && kind & 0x80) {
    document.MarkSpecial(code);
    if (kind & 0x20) document.SetMarkLabel(code, kind & 0x10 ? "=[e]" : "a\\n");
  }
}

void CheckPieces(const data::CodeLookup& lookup, QByteArrayView data) {
  qint64 next = 0;
  for (const data::ReadString& string :
       data::ReadStrings(lookup, data, 0, data::LineBreaks::kMarker, true)) {
    if (string.offset != next) Fail("a string does not start where the last ended");
    for (const data::ReadPiece& piece : string.pieces) {
      if (piece.offset != next || piece.length < 1 || piece.length > 4) Fail("pieces have gaps");
      next += piece.length;
    }
  }
  if (next != data.size()) Fail("the pieces do not cover the data");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  Input input{QByteArrayView(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size))};
  model::TableDocument document;
  const data::DocumentLookup live(document);
  for (int codes = input.Next() % 24; codes > 0; --codes) AddCode(document, input);
  const QByteArrayView data_bytes = input.bytes;

  data::CodeLookup fresh;
  fresh.Build(document);
  if (live.Lookup().Count() != fresh.Count()) Fail("the live lookup has other codes");
  const QString text = data::ReadText(fresh, data_bytes);
  if (data::ReadText(live.Lookup(), data_bytes) != text) Fail("the live lookup reads otherwise");
  CheckPieces(fresh, data_bytes);

  // Arguments the data's end cut off are shown as no bytes can spell them.
  const auto strings = data::ReadStrings(fresh, data_bytes, 0, data::LineBreaks::kMarker, false);
  if (!strings.isEmpty() && strings.constLast().cut) return 0;
  const data::EncodeResult result = data::TextEncoder(fresh).Encode(text);
  if (result.status != data::EncodeResult::Status::kOk) Fail("the data's own text has no bytes");
  if (data::ReadText(fresh, result.bytes) != text) Fail("the bytes read back otherwise");
  if (result.bytes.size() > data_bytes.size()) Fail("more bytes than the data");
  if (result.bytes.size() == data_bytes.size() && data_bytes < QByteArrayView(result.bytes)) {
    Fail("the data's bytes come first in byte order");
  }
  return 0;
}
