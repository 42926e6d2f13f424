#include "model/file_access.h"
#include "model/file_lines.h"
#include "model/table_document.h"
#include "model/table_file.h"
#include "model/table_layout.h"
#include "model/table_line.h"
#include "text/codec.h"
#include "text/utf16.h"
#include "text/utf8.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <array>
#include <tuple>

namespace orvane::model {
namespace {

// Cell texts are applied once per code at the end: a large file often sets a code many times,
// and one allocation per line would dominate the load. Extra lines stay in the file's text. The
// encoding is detected from the lines a save writes: a code's line only once no later line
// replaces it.
class TableReader {
 public:
  TableReader(TableDocument& document, const QByteArray& text, qsizetype start, text::FileForm form,
              QList<LoadWarning>* warnings)
      : document_(document),
        text_(text),
        lines_(QByteArrayView(text).sliced(start)),
        form_(form),
        warnings_(warnings) {
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
    QByteArrayView whole_line;
  };

  void Define(quint8 code, qsizetype number, QByteArrayView line, QByteArrayView text,
              QByteArrayView label, bool entry);
  void Warn(LoadWarning warning) {
    if (warnings_ != nullptr) warnings_->append(warning);
  }
  void Finish();
  void WarnOfInvalidLines(text::Encoding encoding);

  TableDocument& document_;
  const QByteArray& text_;
  const QByteArrayView lines_;
  const text::FileForm form_;
  QList<LoadWarning>* warnings_;
  BulkChange bulk_{document_};
  ExtraLines extra_lines_;
  std::array<PendingCell, kCodeCount> pending_{};
  int bookmark_count_ = 0;
  qsizetype last_line_ = 0;  // the last line read
  text::EncodingDetector detector_;
};

std::optional<QString> TableReader::ReadLine(QByteArrayView line, qsizetype number) {
  // Lines that only look like a code entry, a mark or a bookmark (a comment banner "; ====",
  // "/%1=[end]", "(zzh)x") are kept verbatim as extra lines rather than stopping the load, and so
  // are the lines of longer codes, so a load and a save never lose a line the user wrote.
  last_line_ = number;
  const TableLine read = ReadTableLine(line);
  const bool single = read.code.IsSingleByte();
  switch (read.form) {
    case LineForm::kCodeEntry:
      if (!single) break;
      Define(read.code.Last(), number, line, read.text, {}, true);
      return std::nullopt;
    case LineForm::kSpecial:
      if (!single) break;
      document_.MarkSpecial(read.code);
      Define(read.code.Last(), number, line, line.first(1), read.text, false);
      return std::nullopt;
    case LineForm::kBookmark:
      if (bookmark_count_ == kSlotCount) {
        return QStringLiteral("more than %1 bookmarks").arg(kSlotCount);
      }
      (void)document_.SetBookmark(bookmark_count_++, read.address, read.title.toByteArray(),
                                  number);
      detector_.AddLine(line);
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
  if (single) {
    extra_lines_.AppendRange(begin, begin + line.size(), number);
  } else {
    // Of two lines for one longer code the later wins; both stay in the file.
    const qsizetype overridden =
        extra_lines_.AppendCodeRange(begin, begin + line.size(), number, read.code);
    if (overridden != CodeIndex::kNoLine && warnings_ != nullptr) {
      Warn({LoadWarning::Kind::kDefinedAgain, extra_lines_.Origin(overridden), read.code, number});
    }
  }
  detector_.AddLine(line);
  return std::nullopt;
}

// A later line for the same code replaces the earlier one, mark, text and label alike.
void TableReader::Define(quint8 code, qsizetype number, QByteArrayView line, QByteArrayView text,
                         QByteArrayView label, bool entry) {
  PendingCell& cell = pending_[code];
  if (cell.line != 0) Warn({LoadWarning::Kind::kReplaced, cell.line, code, number});
  cell = PendingCell{number, entry && text.isEmpty(), text, label, line};
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
    detector_.AddLine(cell.whole_line);
  }
  // Also after a load that stopped part way: the lines read are shown. The form decides first.
  document_.SetForm(form_);
  const text::Encoding encoding =
      form_ == text::FileForm::kPlain ? detector_.Result() : text::Encoding::kUtf8;
  document_.SetEncoding(encoding);
  if (warnings_ != nullptr) {
    WarnOfInvalidLines(encoding);
    std::stable_sort(warnings_->begin(), warnings_->end(),
                     [](const LoadWarning& a, const LoadWarning& b) { return a.line < b.line; });
  }
}

// Each line a save writes that the encoding cannot read; a second walk, only when there is one.
void TableReader::WarnOfInvalidLines(text::Encoding encoding) {
  if (detector_.AllValid(encoding)) return;
  QSet<qsizetype> replaced;
  for (const LoadWarning& warning : *warnings_) {
    if (warning.kind == LoadWarning::Kind::kReplaced) replaced.insert(warning.line);
  }
  ForEachLine(lines_, [&](QByteArrayView line, qsizetype number, LineEnding) {
    if (number > last_line_) return false;
    if (!text::IsAscii(line) && !replaced.contains(number) && !text::IsValidIn(line, encoding)) {
      Warn({LoadWarning::Kind::kNotValid, number, 0, 0, encoding});
    }
    return true;
  });
}

// A file's form, where its text starts after the byte-order mark, and the text converted to
// UTF-8 when the file is UTF-16.
struct FormAndText {
  text::FileForm form = text::FileForm::kPlain;
  qsizetype start = 0;
  std::optional<QByteArray> converted;
};

// The line that the UTF-16 text holds at `offset`, counted as the reader counts lines.
qsizetype Utf16LineAt(QByteArrayView utf16, text::ByteOrder order, qsizetype offset) {
  const std::optional<QByteArray> before = text::Utf16ToUtf8(utf16.first(offset), order).utf8;
  if (!before || before->isEmpty()) return 1;
  const qsizetype lines = FileLines(*before).size();
  return before->endsWith('\r') || before->endsWith('\n') ? lines + 1 : lines;
}

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

}  // namespace

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
  const auto read = ReadForm(bytes);
  if (const auto* error = std::get_if<LoadError>(&read)) return *error;
  const auto* file = std::get_if<FormAndText>(&read);
  const QByteArray& text = file->converted ? *file->converted : bytes;
  // Text files hold no NUL: a picture or a program opened by mistake is named before a save
  // rewrites it as a table.
  if (const qsizetype nul = text.indexOf('\0', file->start); nul >= 0 && warnings != nullptr) {
    warnings->append({LoadWarning::Kind::kNulBytes,
                      LineOf(QByteArrayView(text).sliced(file->start), nul - file->start),
                      {},
                      0});
  }
  std::optional<LoadError> error;
  {
    TableReader reader(document, text, file->start, file->form, warnings);
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
