#include "model/file_form.h"

#include "model/file_lines.h"
#include "text/utf16.h"

#include <tuple>

namespace orvane::model {
namespace {

// The line that the UTF-16 text holds at `offset`, counted as the reader counts lines.
qsizetype Utf16LineAt(QByteArrayView utf16, text::ByteOrder order, qsizetype offset) {
  const std::optional<QByteArray> before = text::Utf16ToUtf8(utf16.first(offset), order).utf8;
  if (!before || before->isEmpty()) return 1;
  const qsizetype lines = FileLines(*before).size();
  return before->endsWith('\r') || before->endsWith('\n') ? lines + 1 : lines;
}

}  // namespace

std::variant<FormAndText, LoadError> ReadForm(QByteArrayView bytes) {
  using text::ByteOrder;
  using text::FileForm;
  if (bytes.startsWith("\xEF\xBB\xBF")) return FormAndText{FileForm::kUtf8Bom, 3, {}};
  for (const auto& [mark, form, order] :
       {std::tuple{"\xFF\xFE", FileForm::kUtf16Le, ByteOrder::kLittleEndian},
        std::tuple{"\xFE\xFF", FileForm::kUtf16Be, ByteOrder::kBigEndian}}) {
    if (!bytes.startsWith(mark)) continue;
    text::Utf16Text utf8 = text::Utf16ToUtf8(bytes.sliced(2), order);
    if (utf8.utf8) return FormAndText{form, 0, std::move(utf8.utf8)};
    const qsizetype line = Utf16LineAt(bytes.sliced(2), order, utf8.invalid_at);
    return LoadError{0, QStringLiteral("not valid UTF-16 from line %1 on (byte %2)")
                            .arg(line)
                            .arg(utf8.invalid_at + 2)};
  }
  // Without a mark only text that reads as UTF-16 is taken for it: else the bytes stay as read.
  if (const auto order = text::Utf16OrderWithoutMark(bytes)) {
    if (auto utf8 = text::Utf16ToUtf8(bytes, *order).utf8) {
      const bool little = *order == ByteOrder::kLittleEndian;
      return FormAndText{little ? FileForm::kUtf16LeNoBom : FileForm::kUtf16BeNoBom, 0,
                         std::move(utf8)};
    }
  }
  return FormAndText{FileForm::kPlain, 0, {}};
}

std::optional<QByteArray> FileText(QByteArrayView bytes) {
  auto read = ReadForm(bytes);
  auto* file = std::get_if<FormAndText>(&read);
  if (file == nullptr) return std::nullopt;
  if (file->converted) return *std::move(file->converted);
  return bytes.sliced(file->start).toByteArray();
}

QList<QByteArrayView> FileLines(QByteArrayView text) {
  QList<QByteArrayView> lines;
  ForEachLine(text, [&lines](QByteArrayView line, qsizetype, LineEnding) {
    lines.append(line);
    return true;
  });
  return lines;
}

}  // namespace orvane::model
