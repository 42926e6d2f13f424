#include "model/hex.h"
#include "model/table_document.h"
#include "model/table_file.h"
#include "text/codec.h"
#include "text/utf16.h"
#include "text/utf8.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <tuple>

namespace orvane::model {
namespace {

// The code named by two digits at `at` and `at + 1`, or nothing when either is missing or bad.
std::optional<quint8> CodeAt(QByteArrayView line, qsizetype at) {
  if (line.size() < at + 2) return std::nullopt;
  const int high = HexDigitValue(line[at]);
  const int low = HexDigitValue(line[at + 1]);
  if (high < 0 || low < 0) return std::nullopt;
  return static_cast<quint8>(high * 16 + low);
}

// Where the "h)" of a bookmark line starts, or -1.
qsizetype BookmarkEnd(QByteArrayView line) {
  for (qsizetype i = 1; i + 1 < line.size(); ++i) {
    if ((line[i] == 'h' || line[i] == 'H') && line[i + 1] == ')') return i;
  }
  return -1;
}

enum class LineForm { kEmpty, kCodeEntry, kBookmark, kSpecial, kExtraLine, kLookalike };

// The form of a line, by the first test that matches. Lines that only look like a code entry, a
// mark or a bookmark (a comment banner "; ====", "/%1=[end]", "(zzh)x") are kept verbatim as
// extra lines rather than stopping the load, and so are "(" lines without "h)" or without a
// title, so a load and a save never lose a line the user wrote.
LineForm Classify(QByteArrayView line) {
  if (line.size() >= 3 && line[2] == '=') {
    return CodeAt(line, 0) ? LineForm::kCodeEntry : LineForm::kLookalike;
  }
  if (line.isEmpty()) return LineForm::kEmpty;
  switch (line[0]) {
    case '(': {
      const qsizetype h = BookmarkEnd(line);
      if (h < 0 || h + 2 == line.size()) return LineForm::kExtraLine;
      const auto address = ParseHexAddress(line.sliced(1, h - 1));
      return std::holds_alternative<qint32>(address) ? LineForm::kBookmark : LineForm::kLookalike;
    }
    case '/':
    case '*':
      return CodeAt(line, 1) ? LineForm::kSpecial : LineForm::kLookalike;
    default:
      return LineForm::kExtraLine;
  }
}

// The first CR or LF from `at` on, or `end`. Eight bytes at a time where the machine allows: most
// lines are short, and a load looks at every byte.
const char* LineEnd(const char* at, const char* end) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr quint64 kOnes = 0x0101010101010101ULL;
    constexpr quint64 kHighBits = 0x8080808080808080ULL;
    for (; end - at >= 8; at += 8) {
      quint64 word;
      std::memcpy(&word, at, sizeof word);
      const quint64 cr = word ^ (kOnes * '\r');
      const quint64 lf = word ^ (kOnes * '\n');
      // A byte that is zero in cr or lf; the lowest one found is exact.
      const quint64 found = (((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighBits;
      if (found != 0) return at + std::countr_zero(found) / 8;
    }
  }
  while (at < end && *at != '\r' && *at != '\n') ++at;
  return at;
}

// Calls `read` with each line of the text and its number from 1, while it returns true.
template <typename Read>
void ForEachLine(QByteArrayView text, Read read) {
  const char* const end = text.data() + text.size();
  qsizetype number = 0;
  for (const char* start = text.data(); start < end;) {
    const char* stop = LineEnd(start, end);
    if (!read(QByteArrayView(start, stop - start), ++number)) return;
    if (stop < end && *stop == '\r' && stop + 1 < end && stop[1] == '\n') ++stop;
    start = stop + 1;
  }
}

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
  switch (Classify(line)) {
    case LineForm::kCodeEntry:
      Define(*CodeAt(line, 0), number, line, line.sliced(3), {}, true);
      break;
    case LineForm::kSpecial: {
      const quint8 code = *CodeAt(line, 1);
      document_.MarkSpecial(code);
      Define(code, number, line, line.first(1), line.sliced(3), false);
      break;
    }
    case LineForm::kBookmark: {
      if (bookmark_count_ == kSlotCount) {
        return QStringLiteral("more than %1 bookmarks").arg(kSlotCount);
      }
      const qsizetype h = BookmarkEnd(line);
      const auto address = std::get<qint32>(ParseHexAddress(line.sliced(1, h - 1)));
      (void)document_.SetBookmark(bookmark_count_++, address, line.sliced(h + 2).toByteArray());
      detector_.AddLine(line);
      break;
    }
    case LineForm::kLookalike:
      Warn({LoadWarning::Kind::kKeptAsExtraLine, number, 0, 0});
      [[fallthrough]];
    case LineForm::kExtraLine: {
      const qsizetype begin = line.data() - text_.constData();
      extra_lines_.AppendRange(begin, begin + line.size());
      detector_.AddLine(line);
      break;
    }
    case LineForm::kEmpty:
      break;
  }
  last_line_ = number;
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
  ForEachLine(lines_, [&](QByteArrayView line, qsizetype number) {
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
  ForEachLine(text, [&lines](QByteArrayView line, qsizetype) {
    lines.append(line);
    return true;
  });
  return lines;
}

bool ReadsAsExtraLine(QByteArrayView line) {
  if (line.contains('\r') || line.contains('\n')) return false;
  const LineForm form = Classify(line);
  return form == LineForm::kExtraLine || form == LineForm::kLookalike;
}

namespace {

// The load itself, on the file's bytes, whose text the extra lines keep sharing.
std::optional<LoadError> LoadFileBytes(TableDocument& document, const QByteArray& bytes,
                                       QList<LoadWarning>* warnings) {
  const auto read = ReadForm(bytes);
  if (const auto* error = std::get_if<LoadError>(&read)) return *error;
  const auto* file = std::get_if<FormAndText>(&read);
  const QByteArray& text = file->converted ? *file->converted : bytes;
  TableReader reader(document, text, file->start, file->form, warnings);
  std::optional<LoadError> error;
  ForEachLine(QByteArrayView(text).sliced(file->start), [&](QByteArrayView line, qsizetype number) {
    if (auto reason = reader.ReadLine(line, number)) error = LoadError{number, std::move(*reason)};
    return !error;
  });
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
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return LoadError{0, file.errorString()};
  return LoadFileBytes(document, bytes, warnings);
}

}  // namespace orvane::model
