#include "model/table_writer.h"

#include "model/file_access.h"
#include "model/hex.h"
#include "model/limited_list.h"
#include "model/table_document.h"
#include "model/table_file.h"
#include "text/utf16.h"
#include "text/utf8.h"

#include <QFile>
#include <QSaveFile>

#include <cstring>
#include <limits>

namespace orvane::model {
namespace {

constexpr QByteArrayView kCrLf("\r\n");
constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

// The texts a UTF-16 file cannot hold because they are not UTF-8, named for the user.
QStringList NotUtf8Texts(const TableDocument& document) {
  QStringList names;
  document.Codes().ForEach([&names](const Code& code, const CodeView& view) {
    if (!text::IsValidUtf8(view.text) || !text::IsValidUtf8(view.label)) {
      names << QStringLiteral("code %1").arg(QString::fromLatin1(code.Hex()));
    }
  });
  const ExtraLines& lines = document.GetExtraLines();
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (!text::IsValidUtf8(lines.at(i))) names << QStringLiteral("extra line %1").arg(i + 1);
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (!text::IsValidUtf8(document.GetBookmark(slot).value_or(Bookmark{}).title)) {
      names << QStringLiteral("bookmark %1").arg(slot + 1);
    }
  }
  return names;
}

// Qt reports a short write as a success with no error; writing the rest again fails with the
// system's reason (file too large, disk full). Unbuffered, so every write reaches the system.
bool WriteAll(QSaveFile& file, QByteArrayView bytes) {
  while (!bytes.isEmpty()) {
    const qint64 written = file.write(bytes.data(), bytes.size());
    if (written <= 0) return false;
    bytes = bytes.sliced(written);
  }
  return file.flush();
}

}  // namespace

QByteArray TableWriter::Write() {
  QByteArray bytes;
  if (layout_ == nullptr) {
    WriteWithoutFile(bytes);
    return bytes;
  }
  Plan();
  // The file, each line ended by CR LF, and what changed: about what is written.
  qsizetype expected = layout_->text.size() + 2 * line_count_ + 256;
  for (const Change& change : changes_) expected += change.text.size() + 2;
  ByteSink sink(bytes, expected);
  if (keep_) {
    WriteLines(sink);
  } else {
    WriteTopLines(sink);
    WriteSingleBytes(sink);
    WriteBookmarks(sink);
  }
  return bytes;
}

// Every line where it stood, with its own end; most as the file has them, copied in runs.
void TableWriter::WriteLines(ByteSink& bytes) {
  const char* copied_to = layout_->Lines().data();  // the bytes before this are written or left out
  const char* keep_to = copied_to;                  // and from there to here are to be kept
  QByteArrayView last_end;
  QByteArrayView kept_end;
  const auto flush = [&] {
    if (keep_to == copied_to) return;
    bytes.Append(QByteArrayView(copied_to, keep_to));
    copied_to = keep_to;
    last_end = kept_end;
  };
  const auto add = [&](QByteArrayView text, LineEnding ending) {
    flush();
    last_end = LineEndingBytes(ending == LineEnding::kNone ? usual_ending_ : ending);
    bytes.Append(text);
    bytes.Append(last_end);
  };
  ExtraLineMerge extra(document_.GetExtraLines(), line_count_);
  const auto add_new_extra_lines = [&](qsizetype before) {
    extra.AddNew(before, [&](QByteArrayView line) { add(line, usual_ending_); });
  };
  auto change = changes_.cbegin();
  size_t top = 0;
  add_new_extra_lines(0);
  ForEachLine(layout_->Lines(), [&](QByteArrayView line, qsizetype number, LineEnding ending) {
    const QByteArrayView as_read = line;
    const char* const next = line.data() + line.size() + LineEndingBytes(ending).size();
    bool extra_line = false;
    if (top < layout_->lines.size() && layout_->lines[top].number == number) {
      extra_line = !layout_->lines[top++].IsCode();
    }
    bool dropped = false;
    for (; change != changes_.cend() && change->line == number - 1; ++change) {
      if (change->kind == Change::kInsertBefore) add(change->text, usual_ending_);
      if (change->kind == Change::kReplace) line = change->text;
      if (change->kind == Change::kDrop) dropped = true;
    }
    if (extra_line) dropped = !extra.Take(number, line);
    // A last line without an end gets one when more follows it, so it is never kept as read.
    if (!dropped && ending != LineEnding::kNone && line == as_read) {
      keep_to = next;
      kept_end = LineEndingBytes(ending);
    } else {
      if (!dropped) add(line, ending);
      flush();
      copied_to = keep_to = next;
    }
    add_new_extra_lines(number);
    return true;
  });
  for (; change != changes_.cend(); ++change) add(change->text, usual_ending_);
  for (const QByteArray& line : new_bookmarks_) {
    add({}, usual_ending_);
    add(line, usual_ending_);
  }
  flush();
  // Each line keeps its end; a file without a final line end keeps having none.
  if (line_count_ > 0 && final_ending_ == LineEnding::kNone) bytes.Chop(last_end.size());
}

// The extra lines and the longer codes' lines, in file order, each ended by CR LF.
void TableWriter::WriteTopLines(ByteSink& bytes) {
  ExtraLineMerge extra(document_.GetExtraLines(), line_count_);
  const auto add = [&bytes](QByteArrayView line) { bytes.AppendLine(line); };
  auto change = changes_.cbegin();
  extra.AddNew(0, add);
  const char* const text = layout_->text.constData();
  const char* const text_end = text + layout_->text.size();
  // Most lines of a large table are a code's line that stays as it is, with nothing around it;
  // those the file ends with CR LF, one after the other, go out in one copy.
  QByteArrayView run;
  const auto flush = [&bytes, &run] {
    bytes.Append(run);
    run = {};
  };
  // Lines numbered below this have no change and no added extra line around them.
  const auto quiet_below = [&] {
    const qsizetype changed =
        change == changes_.cend() ? std::numeric_limits<qsizetype>::max() : change->line + 1;
    return std::min(changed, extra.IdleBelow());
  };
  qsizetype quiet = quiet_below();
  for (const FileLayout::Line& top : layout_->lines) {
    const qsizetype at = qsizetype{top.number} - 1;
    if (top.IsCode() && qsizetype{top.number} < quiet) {
      const char* const begin = text + top.begin;
      const char* const end = begin + top.size;
      if (text_end - end < 2 || end[0] != '\r' || end[1] != '\n') {
        flush();
        bytes.AppendLine(QByteArrayView(begin, top.size));
      } else if (!run.isEmpty() && begin == run.data() + run.size()) {
        run = QByteArrayView(run.data(), end + 2 - run.data());
      } else {
        flush();
        run = QByteArrayView(begin, end + 2 - begin);
      }
      continue;
    }
    flush();
    for (; change != changes_.cend() && change->line < at; ++change) add(change->text);
    QByteArrayView line = layout_->LineText(top);
    bool dropped = false;
    for (; change != changes_.cend() && change->line == at; ++change) {
      if (change->kind == Change::kInsertBefore) add(change->text);
      if (change->kind == Change::kReplace) line = change->text;
      if (change->kind == Change::kDrop) dropped = true;
    }
    if (!top.IsCode()) dropped = !extra.Take(top.number, line);
    if (!dropped) add(line);
    extra.AddNew(top.number, add);
    quiet = quiet_below();
  }
  flush();
  for (; change != changes_.cend(); ++change) add(change->text);
  extra.AddNew(line_count_, add);
}

void TableWriter::WriteSingleBytes(ByteSink& bytes) const {
  document_.Codes().ForEachOnPage(Page(), [&](const Code& code, const CodeView& view) {
    if (view.text.isEmpty() || view.control) return;
    bytes.AppendLine(CodeLineText(view, Spelling(code, HexByte(code.Last()))));
  });
}

void TableWriter::WriteBookmarks(ByteSink& bytes) const {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const Bookmark bookmark = document_.GetBookmark(slot).value_or(Bookmark{});
    if (bookmark.title.isEmpty()) continue;
    bytes.Append(ByteSink::kCrLf);
    bytes.AppendLine('(' + HexAddress(bookmark.address) + "h)" + bookmark.title);
  }
}

// A table without a file: the extra lines, the longer codes and control codes in code order,
// the single bytes.
void TableWriter::WriteWithoutFile(QByteArray& bytes) const {
  const ExtraLines& lines = document_.GetExtraLines();
  qsizetype size = lines.ByteCount() + 2 * lines.size() + qsizetype{kSlotCount} * 16;
  document_.Codes().ForEach([&size](const Code& code, const CodeView& view) {
    size += view.text.size() + view.label.size() + 2 * qsizetype{code.Length()} + 4;
  });
  ByteSink sink(bytes, size);
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (!lines.at(i).isEmpty()) sink.AppendLine(lines.at(i));
  }
  document_.Codes().ForEach([&](const Code& code, const CodeView& view) {
    if (OnTop(code, view)) sink.AppendLine(CodeLineText(view, Spelling(code, code.Hex())));
  });
  WriteSingleBytes(sink);
  WriteBookmarks(sink);
}

QByteArray CodeLine(const TableDocument& document, const Code& code) {
  const std::optional<CodeView> view = document.Codes().Find(code);
  if (!view || (code.IsSingleByte() && view->text.isEmpty() && !view->control)) return {};
  const FileLayout* layout = document.Layout().get();
  return CodeLineText(*view,
                      CodeSpelling{code.Hex(), layout == nullptr || !layout->HasBareLabel(code)});
}

QByteArray TableToBytes(const TableDocument& document, SaveLayout layout) {
  const FileLayout* file = document.Layout().get();
  const bool keep = layout == SaveLayout::kKeepFile && file != nullptr && !file->canonical;
  return TableWriter(document, file, keep).Write();
}

QByteArray CodeAndBookmarkLines(const TableDocument& document) {
  QByteArray out;
  {
    ByteSink sink(out, 0);
    const TableWriter writer(document, nullptr, false);
    writer.WriteSingleBytes(sink);
    writer.WriteBookmarks(sink);
  }
  return out;
}

std::variant<QByteArray, SaveError> FileBytes(const TableDocument& document, SaveLayout layout) {
  text::FileForm form = document.Form();
  // A mark says UTF-8: a table read with one and then taken as another encoding drops it.
  if (form == text::FileForm::kUtf8Bom && document.Encoding() != text::Encoding::kUtf8) {
    form = text::FileForm::kPlain;
  }
  switch (form) {
    case text::FileForm::kPlain: {
      QByteArray bytes = TableToBytes(document, layout);
      // A first extra line that starts like a byte-order mark would be read back as one: an
      // empty line before it, which the reader skips, keeps it a line.
      if (bytes.startsWith(kUtf8Mark) || bytes.startsWith("\xFF\xFE") ||
          bytes.startsWith("\xFE\xFF")) {
        bytes.prepend(kCrLf);
      }
      // Bytes with NULs that would read back as UTF-16 without a mark: one LF, skipped as an
      // empty line, makes their size odd, which UTF-16 never is.
      const auto order = bytes.size() % 2 == 0 ? text::Utf16OrderWithoutMark(bytes) : std::nullopt;
      if (order && text::Utf16ToUtf8(bytes, *order).utf8) bytes.prepend('\n');
      return bytes;
    }
    case text::FileForm::kUtf8Bom:
      return kUtf8Mark.toByteArray() + TableToBytes(document, layout);
    case text::FileForm::kUtf16Le:
    case text::FileForm::kUtf16Be:
    case text::FileForm::kUtf16LeNoBom:
    case text::FileForm::kUtf16BeNoBom:
      break;
  }
  if (const QStringList texts = NotUtf8Texts(document); !texts.isEmpty()) {
    return SaveError{QStringLiteral("The file is written as %1, which cannot hold these texts: %2")
                         .arg(text::FormName(form), JoinAtMost(texts, QStringLiteral(", ")))};
  }
  const bool little = form == text::FileForm::kUtf16Le || form == text::FileForm::kUtf16LeNoBom;
  const auto order = little ? text::ByteOrder::kLittleEndian : text::ByteOrder::kBigEndian;
  const QByteArray mark(little ? "\xFF\xFE" : "\xFE\xFF", 2);
  QByteArray utf8 = TableToBytes(document, layout);
  if (form == text::FileForm::kUtf16Le || form == text::FileForm::kUtf16Be) {
    return mark + text::Utf8ToUtf16(utf8, order);
  }
  // Without a mark, a first line that starts with U+FEFF would be read back as one.
  if (utf8.startsWith(kUtf8Mark)) utf8.prepend(kCrLf);
  QByteArray utf16 = text::Utf8ToUtf16(utf8, order);
  // Text that no longer looks like UTF-16 (none, or mostly CJK once repeated code lines are gone)
  // would be read back as 8-bit bytes and broken by the next save: it takes the mark.
  if (text::Utf16OrderWithoutMark(utf16) != order) utf16.prepend(mark);
  return utf16;
}

std::optional<SaveError> SaveTable(TableDocument& document, const QString& path,
                                   SaveLayout layout) {
  auto bytes = FileBytes(document, layout);
  if (auto* error = std::get_if<SaveError>(&bytes)) return *error;
  // QSaveFile would put a regular file in its place.
  if (auto why = WhyNotReplaceable(QFile::encodeName(path))) return SaveError{*std::move(why)};
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    return SaveError{file.errorString()};
  }
  // QSaveFile commits a short file when a write or the last flush fails: cancel it first.
  if (!WriteAll(file, std::get<QByteArray>(bytes))) {
    const QString reason = file.errorString();
    file.cancelWriting();
    (void)file.commit();
    return SaveError{reason};
  }
  if (!file.commit()) return SaveError{file.errorString()};
  document.SetTablePath(path);
  // The file is canonical now, and later saves keep it so; the lines of longer codes keep their
  // places among the extra lines.
  if (layout == SaveLayout::kCanonical && document.Layout() && !document.Layout()->canonical) {
    auto canonical = std::make_shared<FileLayout>(*document.Layout());
    canonical->canonical = true;
    document.SetLayout(std::move(canonical));
  }
  return std::nullopt;
}

}  // namespace orvane::model
