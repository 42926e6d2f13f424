#include "model/file_access.h"
#include "model/file_lines.h"
#include "model/table_document.h"
#include "model/table_file.h"
#include "model/table_layout.h"
#include "model/table_line.h"
#include "text/utf16.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <tuple>

namespace orvane::model {
namespace {

// Cell texts are applied once per code at the end: a large file often sets a code many times,
// and one allocation per line would dominate the load. Extra lines stay in the file's text.
class TableReader {
 public:
  TableReader(TableDocument& document, const QByteArray& text, text::FileForm form,
              QList<LoadWarning>* warnings)
      : document_(document), text_(text), form_(form), warnings_(warnings) {
    extra_lines_.Adopt(text_);
  }
  ~TableReader() { Finish(); }
  TableReader(const TableReader&) = delete;
  TableReader& operator=(const TableReader&) = delete;

  [[nodiscard]] std::optional<QString> ReadLine(QByteArrayView line, qsizetype number);

 private:
  struct PendingCell {
    qsizetype line = 0;  // the last line that defined the code; 0 for none
    bool empty_entry = false;
    QByteArrayView text;
    QByteArrayView label;
  };

  void Define(quint8 code, qsizetype number, QByteArrayView text, QByteArrayView label, bool entry);
  void Warn(LoadWarning warning) {
    if (warnings_ != nullptr) warnings_->append(warning);
  }
  void Finish();

  TableDocument& document_;
  const QByteArray& text_;
  const text::FileForm form_;
  QList<LoadWarning>* warnings_;
  BulkChange bulk_{document_};
  ExtraLines extra_lines_;
  std::array<PendingCell, kCodeCount> pending_{};
  int bookmark_count_ = 0;
};

std::optional<QString> TableReader::ReadLine(QByteArrayView line, qsizetype number) {
  // Lines that only look like a code entry, a mark or a bookmark (a comment banner "; ====",
  // "/%1=[end]", "(zzh)x") are kept verbatim as extra lines rather than stopping the load, and so
  // are the lines of longer codes, so a load and a save never lose a line the user wrote.
  const TableLine read = ReadTableLine(line);
  const bool single = read.code.IsSingleByte();
  switch (read.form) {
    case LineForm::kCodeEntry:
      if (!single) break;
      Define(read.code.Last(), number, read.text, {}, true);
      return std::nullopt;
    case LineForm::kSpecial:
      if (!single) break;
      document_.MarkSpecial(read.code);
      Define(read.code.Last(), number, line.first(1), read.text, false);
      return std::nullopt;
    case LineForm::kBookmark:
      if (bookmark_count_ == kSlotCount) {
        return QStringLiteral("more than %1 bookmarks").arg(kSlotCount);
      }
      (void)document_.SetBookmark(bookmark_count_++, read.address, read.title.toByteArray(),
                                  number);
      return std::nullopt;
    case LineForm::kLookalike:
      Warn({LoadWarning::Kind::kKeptAsExtraLine, number, {}, 0});
      break;
    case LineForm::kExtraLine:
      break;
    case LineForm::kEmpty:
      return std::nullopt;
  }
  const qsizetype begin = line.data() - text_.constData();
  const auto overridden = extra_lines_.AppendRange(
      begin, begin + line.size(), number, single ? std::nullopt : std::optional(read.code));
  // Of two lines for one longer code the later wins; both stay in the file.
  if (overridden) {
    Warn({LoadWarning::Kind::kDefinedAgain, extra_lines_.Origin(*overridden), read.code, number});
  }
  return std::nullopt;
}

// A later line for the same code replaces the earlier one, mark, text and label alike.
void TableReader::Define(quint8 code, qsizetype number, QByteArrayView text, QByteArrayView label,
                         bool entry) {
  PendingCell& cell = pending_[code];
  if (cell.line != 0) Warn({LoadWarning::Kind::kReplaced, cell.line, code, number});
  cell = PendingCell{number, entry && text.isEmpty(), text, label};
}

void TableReader::Finish() {
  for (const CodeIndex::Override& again : extra_lines_.FinishLoad()) {
    Warn({LoadWarning::Kind::kDefinedAgain, extra_lines_.Origin(again.line), again.code,
          extra_lines_.Origin(again.by)});
  }
  document_.AddExtraLines(extra_lines_);
  for (int c = 0; c < kCodeCount; ++c) {
    const auto code = static_cast<quint8>(c);
    const PendingCell& cell = pending_[code];
    if (cell.line == 0) continue;
    document_.SetCellText(code, cell.text.toByteArray());
    if (!cell.label.isEmpty()) document_.SetMarkLabel(code, cell.label.toByteArray());
    if (cell.empty_entry) Warn({LoadWarning::Kind::kNoText, cell.line, code, 0});
  }
  if (warnings_ != nullptr) {
    std::stable_sort(warnings_->begin(), warnings_->end(),
                     [](const LoadWarning& a, const LoadWarning& b) { return a.line < b.line; });
  }
  // Also after a load that stopped part way: the lines read are shown. The form decides first.
  document_.SetForm(form_);
  document_.SetEncoding(form_ == text::FileForm::kPlain ? text::DetectEncoding(text_)
                                                        : text::Encoding::kUtf8);
}

// A file's form, where its text starts after the byte-order mark, and the text converted to
// UTF-8 when the file is UTF-16.
struct FormAndText {
  text::FileForm form = text::FileForm::kPlain;
  qsizetype start = 0;
  std::optional<QByteArray> converted;
};

std::optional<FormAndText> ReadForm(QByteArrayView bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) return FormAndText{text::FileForm::kUtf8Bom, 3, {}};
  for (const auto& [mark, form, order] :
       {std::tuple{"\xFF\xFE", text::FileForm::kUtf16Le, text::ByteOrder::kLittleEndian},
        std::tuple{"\xFE\xFF", text::FileForm::kUtf16Be, text::ByteOrder::kBigEndian}}) {
    if (!bytes.startsWith(mark)) continue;
    auto utf8 = text::Utf16ToUtf8(bytes.sliced(2), order);
    if (!utf8) return std::nullopt;
    return FormAndText{form, 0, std::move(utf8)};
  }
  return FormAndText{text::FileForm::kPlain, 0, {}};
}

}  // namespace

std::optional<QByteArray> FileText(QByteArrayView bytes) {
  std::optional<FormAndText> file = ReadForm(bytes);
  if (!file) return std::nullopt;
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

namespace {

// The number of the line that holds the byte at `at`.
qsizetype LineOf(QByteArrayView text, qsizetype at) {
  qsizetype found = 0;
  ForEachLine(text, [&](QByteArrayView line, qsizetype number, LineEnding) {
    found = number;
    return line.data() + line.size() < text.data() + at;
  });
  return found;
}

// The load itself, on the file's bytes, whose text the extra lines keep sharing.
std::optional<LoadError> LoadFileBytes(TableDocument& document, const QByteArray& bytes,
                                       QList<LoadWarning>* warnings) {
  const std::optional<FormAndText> file = ReadForm(bytes);
  if (!file) return LoadError{0, QStringLiteral("not valid UTF-16")};
  const QByteArray& text = file->converted ? *file->converted : bytes;
  // Text files hold no NUL: a picture or a program opened by mistake is named before a save
  // rewrites it as a table.
  if (const qsizetype nul = text.indexOf('\0', file->start); nul >= 0 && warnings != nullptr) {
    warnings->append({LoadWarning::Kind::kNulBytes,
                      LineOf(QByteArrayView(text).sliced(file->start), nul - file->start), {}, 0});
  }
  std::optional<LoadError> error;
  {
    TableReader reader(document, text, file->form, warnings);
    ForEachLine(QByteArrayView(text).sliced(file->start),
                [&](QByteArrayView line, qsizetype number, LineEnding) {
                  if (auto reason = reader.ReadLine(line, number)) {
                    error = LoadError{number, std::move(*reason)};
                  }
                  return !error;
                });
  }
  // A table read whole can be written back in its own layout; the state is taken as read.
  if (!error) {
    const TableState state = document.Snapshot();
    document.SetLayout(std::make_shared<const FileLayout>(
        FileLayout{text, file->start, state.cells, state.bookmarks}));
  }
  return error;
}

}  // namespace

std::optional<LoadError> LoadTableFromBytes(TableDocument& document, QByteArrayView bytes,
                                            QList<LoadWarning>* warnings) {
  return LoadFileBytes(document, bytes.toByteArray(), warnings);
}

std::optional<LoadError> LoadTable(TableDocument& document, const QString& path,
                                   QList<LoadWarning>* warnings) {
  document.SetWindowTitle(path + TitleSuffix());
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return LoadError{0, file.errorString()};
  document.SetTablePath(path);
  auto bytes = ReadFileContent(file.handle());
  if (auto* error = std::get_if<LoadError>(&bytes)) return *error;
  return LoadFileBytes(document, std::get<QByteArray>(bytes), warnings);
}

}  // namespace orvane::model
