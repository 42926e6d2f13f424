#include "model/file_access.h"
#include "model/file_form.h"
#include "model/file_layout.h"
#include "model/file_lines.h"
#include "model/last_lines.h"
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
    // Room for the lines of a large table of two-byte codes ("8140=X" and a line end), so that
    // the list is not copied as it grows.
    layout_->lines.reserve(static_cast<size_t>((text.size() - start) / 9));
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
    quint32 control = 0;  // the last line is a control code's: its place in the layout's lines + 1
  };

  void DefineSingle(const TableLine& read, qsizetype number, QByteArrayView line);
  void DefineLonger(const TableLine& read, qsizetype number, QByteArrayView line);
  void AddLayoutLine(QByteArrayView line, qsizetype number, FileLayout::Kind kind) {
    const qsizetype begin = line.data() - text_.constData();
    layout_->lines.push_back(FileLayout::Line{static_cast<quint32>(begin),
                                              static_cast<quint32>(line.size()),
                                              static_cast<quint32>(number), kind, false});
  }
  void Warn(LoadWarning warning) {
    if (warnings_ != nullptr) warnings_->append(warning);
  }
  void Finish();
  // The codes into the loader, in code order: the single bytes, then the rest.
  void FinishSingleBytes();
  void FinishLongerCodes();
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
    case LineForm::kControl:
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

// A later line for the same code replaces the earlier one, text and label alike; a mark stays,
// unless a control code's line comes between.
void TableReader::DefineSingle(const TableLine& read, qsizetype number, QByteArrayView line) {
  PendingCell& cell = pending_[read.code.Last()];
  if (cell.line != 0) Warn({LoadWarning::Kind::kReplaced, cell.line, read.code, number});
  if (cell.control != 0) layout_->lines[cell.control - 1].replaced = true;
  if (read.form == LineForm::kControl) {
    const auto where = static_cast<quint32>(layout_->lines.size());
    AddLayoutLine(line, number, FileLayout::Kind::kControl);
    cell = PendingCell{number, false, false, false, read.text, {}, line, where + 1};
    return;
  }
  const bool mark = read.form == LineForm::kSpecial;
  const bool special = cell.special || mark;
  cell = mark ? PendingCell{number,        false,
                            special,       IsBare(read.text),
                            line.first(1), LabelOf(read.text),
                            line,          0}
              : PendingCell{number, read.text.isEmpty(), special, false, read.text, {}, line, 0};
}

// Of two lines for one longer code the later wins, mark and all; both stay in the file.
void TableReader::DefineLonger(const TableLine& read, qsizetype number, QByteArrayView line) {
  const auto where = static_cast<quint32>(layout_->lines.size());
  const FileLayout::Kind kind = read.form == LineForm::kSpecial   ? FileLayout::Kind::kMark
                                : read.form == LineForm::kControl ? FileLayout::Kind::kControl
                                                                  : FileLayout::Kind::kEntry;
  AddLayoutLine(line, number, kind);
  const quint32 before = last_lines_.Define(read.code, where + 1);
  if (before != 0) {
    FileLayout::Line& replaced = layout_->lines[before - 1];
    replaced.replaced = true;
    Warn({LoadWarning::Kind::kDefinedAgain, replaced.number, read.code, number});
  }
  detector_.AddLine(line);
}

void TableReader::FinishSingleBytes() {
  for (int c = 0; c < kCodeCount; ++c) {
    const auto code = static_cast<quint8>(c);
    const PendingCell& cell = pending_[code];
    if (cell.line == 0) continue;
    layout_->single_lines[code] = static_cast<quint32>(cell.line);
    if (cell.bare_label) layout_->bare_labels.append(code);
    if (cell.empty_entry) Warn({LoadWarning::Kind::kNoText, cell.line, code, 0});
    detector_.AddLine(cell.whole_line);
    if (cell.control != 0) {
      const TableLine read = ReadTableLine(cell.whole_line);
      loader_.Append(code, read.text, false, read.arguments, true);
    } else if (!cell.text.isEmpty() || cell.special) {
      // A single byte without text holds nothing, unless a mark line of it came before.
      loader_.Append(code, cell.text, cell.special, cell.special ? cell.label : QByteArrayView());
    }
  }
}

void TableReader::FinishLongerCodes() {
  // Each longer code as its last line says, read again only for a mark's label or a control
  // code's arguments: an entry's text is what follows its digits and "=".
  const FileLayout::Line* const lines = layout_->lines.data();
  const char* const text = layout_->text.constData();
  Page page;
  const auto define = [&](quint8 cell, quint32 where, int digits) {
    const FileLayout::Line& line = lines[where - 1];
    const QByteArrayView read(text + line.begin, line.size);
    if (line.kind == FileLayout::Kind::kEntry) {
      loader_.Put(cell, read.sliced(digits + 1), false, {});
      return;
    }
    const TableLine parsed = ReadTableLine(read);
    if (line.kind == FileLayout::Kind::kControl) {
      loader_.Put(cell, parsed.text, false, parsed.arguments, true);
      return;
    }
    if (IsBare(parsed.text)) layout_->bare_labels.append(CodeOnPage(page, cell));
    loader_.Put(cell, read.first(1), true, LabelOf(parsed.text));
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
}

void TableReader::Finish() {
  if (finished_) return;
  finished_ = true;
  FinishSingleBytes();
  FinishLongerCodes();
  if (layout_->lines.size() < layout_->lines.capacity() / 2) layout_->lines.shrink_to_fit();
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

}  // namespace

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
