#include "model/file_layout.h"

#include "model/file_lines.h"
#include "model/table_line.h"
#include "text/codec.h"

#include <algorithm>

namespace orvane::model {

bool FileLayout::HasBareLabel(const Code& code) const {
  return std::binary_search(bare_labels.begin(), bare_labels.end(), code);
}

ConvertedLayout ConvertLayout(const FileLayout& layout, text::Encoding from, text::Encoding to) {
  auto converted = std::make_shared<FileLayout>(layout);
  converted->text = layout.text.first(layout.start);
  converted->text.reserve(layout.text.size());
  QList<LayoutFailure> failures;
  size_t top = 0;
  ForEachLine(layout.Lines(), [&](QByteArrayView line, qsizetype number, LineEnding ending) {
    const auto begin = static_cast<quint32>(converted->text.size());
    const std::optional<QByteArray> text = text::Convert(line, from, to);
    converted->text.append(text.value_or(line.toByteArray()));
    const auto size = static_cast<quint32>(converted->text.size()) - begin;
    converted->text.append(LineEndingBytes(ending));
    const bool listed = top < layout.lines.size() && layout.lines[top].number == number;
    if (listed) {
      FileLayout::Line& moved = converted->lines[top++];
      moved.begin = begin;
      moved.size = size;
    }
    if (text) return true;
    // What the table writes itself is the table's to convert; a line a later line replaces is
    // written as the file has it.
    if (listed && converted->lines[top - 1].replaced) {
      failures.append({number, line.toByteArray(), false});
    } else if (!listed) {
      const TableLine read = ReadTableLine(line);
      const bool single = read.form == LineForm::kCodeEntry || read.form == LineForm::kSpecial;
      if (single && layout.single_lines[read.code.Last()] != number) {
        failures.append({number, line.toByteArray(), true});
      }
    }
    return true;
  });
  return ConvertedLayout{std::move(converted), std::move(failures)};
}

}  // namespace orvane::model
