#include "model/file_access.h"
#include "model/file_layout.h"
#include "model/file_lines.h"
#include "model/table_document.h"
#include "model/table_file.h"
#include "model/table_line.h"
#include "text/codec.h"
#include "text/utf16.h"
#include "text/utf8.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <array>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orvane::model {
namespace {

// Where each code of two to four bytes is defined last among the layout's lines, as a load finds
// them: two-byte codes, most of any large table, in a flat table filled line by line; the rare
// longer ones in a hash. Inline: a large table defines a code a line.
class LastLines {
 public:
  // The line (its index in the layout's lines, plus one) that defined the code before, or 0.
  quint32 Define(const Code& code, quint32 line) {
    if (code.Length() != 2) {
      auto [at, added] = longer_.try_emplace(KeyOf(code), line);
      return added ? 0 : std::exchange(at->second, line);
    }
    if (two_byte_.empty()) two_byte_.resize(0x10000);
    const quint32 before = std::exchange(two_byte_[code.Value()], line);
    if (before == 0) ++counts_[code.Value() >> 8];
    return before;
  }
  // Calls page(page, count) before each page of two-byte codes and two_byte(cell, line) for each
  // of its codes, and longer(code, line) for every longer code, all in code order.
  template <typename PageOf, typename TwoByte, typename Longer>
  void ForEach(PageOf page_of, TwoByte two_byte, Longer longer) const {
    std::vector<std::pair<Code, quint32>> sorted;
    sorted.reserve(longer_.size());
    for (const auto& [key, line] : longer_) {
      sorted.emplace_back(*Code::Make(static_cast<quint32>(key), static_cast<int>(key >> 32)),
                          line);
    }
    std::sort(sorted.begin(), sorted.end());
    auto next = sorted.cbegin();
    // Codes of three and four bytes come after the two-byte codes of their lead byte.
    for (int lead = 0; lead < 256; ++lead) {
      if (const qsizetype count = counts_[static_cast<size_t>(lead)]; count > 0) {
        page_of(*Page::Make(static_cast<quint32>(lead), 1), count);
        const quint32* cells = two_byte_.data() + (lead << 8);
        for (int cell = 0; cell < 256; ++cell) {
          if (cells[cell] != 0) two_byte(static_cast<quint8>(cell), cells[cell]);
        }
      }
      for (; next != sorted.cend() && LeadOf(next->first) == lead; ++next) {
        longer(next->first, next->second);
      }
    }
  }

 private:
  static quint64 KeyOf(const Code& code) {
    return static_cast<quint64>(code.Length()) << 32 | code.Value();
  }
  static int LeadOf(const Code& code) {
    return static_cast<int>(code.Value() >> (8 * (code.Length() - 1)));
  }

  std::vector<quint32> two_byte_;
  std::array<quint16, 256> counts_{};  // two-byte codes by lead byte
  std::unordered_map<quint64, quint32> longer_;
};

// Single bytes' texts are applied once per code at the end: a large file often sets a code many
// times. Longer codes go to the store's loader line by line, without copying their texts, and
// extra lines stay in the file's text. The encoding is detected from the lines a save writes: a
// single byte's line only once no later line replaces it.
class TableReader {
 public:
  TableReader(TableDocument& document, const QByteArray& text, qsizetype start, text::FileForm form,
              QList<LoadWarning>* warnings)
      : document_(document),
        text_(text),
        lines_(QByteArrayView(text).sliced(start)),
        form_(form),
        warnings_(warnings),
        loader_(text) {
    extra_lines_.Adopt(text_);
    layout_->text = text;
    layout_->start = start;
  }
  ~TableReader() { Finish(); }
  TableReader(const TableReader&) = delete;
  TableReader& operator=(const TableReader&) = delete;

  [[nodiscard]] std::optional<QString> ReadLine(QByteArrayView line, qsizetype number);
  // Ends the reading: what the file said.
  [[nodiscard]] std::shared_ptr<FileLayout> TakeLayout() {
    Finish();
    return std::move(layout_);
  }

 private:
  struct PendingCell {
    qsizetype line = 0;  // the last line that defined the code; 0 for none
    bool empty_entry = false;
    bool special = false;  // a mark line of the code came before, or is the last
    bool bare_label = false;
    QByteArrayView text;
    QByteArrayView label;
    QByteArrayView whole_line;
  };

  void DefineSingle(const TableLine& read, qsizetype number, QByteArrayView line);
  void DefineLonger(const TableLine& read, qsizetype number, QByteArrayView line);
  void AddLayoutLine(QByteArrayView line, qsizetype number, FileLayout::Kind kind) {
    const qsizetype begin = line.data() - text_.constData();
    layout_->lines.append(FileLayout::Line{static_cast<quint32>(begin),
                                           static_cast<quint32>(line.size()),
                                           static_cast<quint32>(number), kind, false});
  }
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
  CodeStore::Loader loader_;
  LastLines last_lines_;
  std::shared_ptr<FileLayout> layout_ = std::make_shared<FileLayout>();
  std::array<PendingCell, kCodeCount> pending_{};
  int bookmark_count_ = 0;
  qsizetype last_line_ = 0;  // the last line read
  bool finished_ = false;
  text::EncodingDetector detector_;
};

// A mark's label is what follows its digits, less one "=".
QByteArrayView LabelOf(QByteArrayView after_digits) {
  return after_digits.startsWith('=') ? after_digits.sliced(1) : after_digits;
}

bool IsBare(QByteArrayView after_digits) {
  return !after_digits.isEmpty() && after_digits.front() != '=';
}

std::optional<QString> TableReader::ReadLine(QByteArrayView line, qsizetype number) {
  // Lines that only look like a code entry, a mark or a bookmark (a comment banner "; ====",
  // "/%1=[end]", "(zzh)x") are kept verbatim as extra lines rather than stopping the load, so a
  // load and a save never lose a line the user wrote.
  last_line_ = number;
  const TableLine read = ReadTableLine(line);
  switch (read.form) {
    case LineForm::kCodeEntry:
    case LineForm::kSpecial:
      if (read.code.IsSingleByte()) {
        DefineSingle(read, number, line);
      } else {
        DefineLonger(read, number, line);
      }
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
  extra_lines_.AppendRange(begin, begin + line.size(), number);
  AddLayoutLine(line, number, FileLayout::Kind::kExtra);
  detector_.AddLine(line);
  return std::nullopt;
}

// A later line for the same code replaces the earlier one, text and label alike; a mark stays.
void TableReader::DefineSingle(const TableLine& read, qsizetype number, QByteArrayView line) {
  PendingCell& cell = pending_[read.code.Last()];
  if (cell.line != 0) Warn({LoadWarning::Kind::kReplaced, cell.line, read.code, number});
  const bool mark = read.form == LineForm::kSpecial;
  const bool special = cell.special || mark;
  cell = mark ? PendingCell{number,        false,
                            special,       IsBare(read.text),
                            line.first(1), LabelOf(read.text),
                            line}
              : PendingCell{number, read.text.isEmpty(), special, false, read.text, {}, line};
}

// Of two lines for one longer code the later wins, mark and all; both stay in the file.
void TableReader::DefineLonger(const TableLine& read, qsizetype number, QByteArrayView line) {
  const bool mark = read.form == LineForm::kSpecial;
  const auto where = static_cast<quint32>(layout_->lines.size());
  AddLayoutLine(line, number, mark ? FileLayout::Kind::kMark : FileLayout::Kind::kEntry);
  const quint32 before = last_lines_.Define(read.code, where + 1);
  if (before != 0) {
    FileLayout::Line& replaced = layout_->lines[before - 1];
    replaced.replaced = true;
    Warn({LoadWarning::Kind::kDefinedAgain, replaced.number, read.code, number});
  }
  detector_.AddLine(line);
}

void TableReader::Finish() {
  if (finished_) return;
  finished_ = true;
  for (int c = 0; c < kCodeCount; ++c) {
    const auto code = static_cast<quint8>(c);
    const PendingCell& cell = pending_[code];
    if (cell.line == 0) continue;
    layout_->single_lines[code] = static_cast<quint32>(cell.line);
    if (cell.bare_label) layout_->bare_labels.append(code);
    if (cell.empty_entry) Warn({LoadWarning::Kind::kNoText, cell.line, code, 0});
    detector_.AddLine(cell.whole_line);
    // A single byte without text holds nothing, unless a mark line of it came before.
    if (!cell.text.isEmpty() || cell.special) {
      loader_.Append(code, cell.text, cell.special, cell.special ? cell.label : QByteArrayView());
    }
  }
  // Each longer code as its last line says, read again only for a mark's label: an entry's text
  // is what follows its digits and "=".
  const FileLayout::Line* const lines = layout_->lines.constData();
  const char* const text = layout_->text.constData();
  Page page;
  const auto define = [&](quint8 cell, quint32 where, int digits) {
    const FileLayout::Line& line = lines[where - 1];
    const QByteArrayView read(text + line.begin, line.size);
    if (line.kind == FileLayout::Kind::kEntry) {
      loader_.Put(cell, read.sliced(digits + 1), false, {});
      return;
    }
    const QByteArrayView label = ReadTableLine(read).text;
    if (IsBare(label)) layout_->bare_labels.append(CodeOnPage(page, cell));
    loader_.Put(cell, read.first(1), true, LabelOf(label));
  };
  last_lines_.ForEach(
      [&](const Page& two_byte, qsizetype count) {
        page = two_byte;
        loader_.BeginPage(page, count);
      },
      [&](quint8 cell, quint32 where) { define(cell, where, 4); },
      [&](const Code& code, quint32 where) {
        if (page != code.PageOf()) {
          page = code.PageOf();
          loader_.BeginPage(page, 0);
        }
        define(code.Last(), where, 2 * code.Length());
      });
  std::sort(layout_->bare_labels.begin(), layout_->bare_labels.end());
  layout_->line_count = last_line_;
  document_.AddCodes(loader_.Finish());
  document_.AddExtraLines(extra_lines_);
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
  std::shared_ptr<FileLayout> layout;
  {
    TableReader reader(document, text, file->start, file->form, warnings);
    ForEachLine(QByteArrayView(text).sliced(file->start),
                [&](QByteArrayView line, qsizetype number, LineEnding) {
                  if (auto reason = reader.ReadLine(line, number)) {
                    error = LoadError{number, std::move(*reason)};
                  }
                  return !error;
                });
    layout = reader.TakeLayout();
  }
  // A table read whole can be written back in its own layout; the state is taken as read.
  if (!error) {
    const TableState state = document.Snapshot();
    layout->codes = state.codes;
    layout->bookmarks = state.bookmarks;
    document.SetLayout(std::move(layout));
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
