#include "model/file_access.h"
#include "model/hex.h"
#include "model/limited_list.h"
#include "model/table_document.h"
#include "model/table_file.h"
#include "model/table_layout.h"
#include "text/utf16.h"
#include "text/utf8.h"

#include <QFile>
#include <QSaveFile>

#include <cstring>

namespace orvane::model {
namespace {

constexpr QByteArrayView kCrLf("\r\n");
constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

// An upper bound of the written size: growing a table of many megabytes by appends would copy
// it several times over.
qsizetype WrittenSizeBound(const TableDocument& document) {
  const ExtraLines& lines = document.GetExtraLines();
  qsizetype size = lines.ByteCount() + 2 * lines.size();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    size += document.GetBookmark(slot).value_or(Bookmark{}).title.size() + 16;
  }
  for (int code = 0; code < kCodeCount; ++code) {
    const auto c = static_cast<quint8>(code);
    size += document.GetCellText(c).size() + document.MarkLabel(c).size() + 5;
  }
  return size;
}

// The texts a UTF-16 file cannot hold because they are not UTF-8, named for the user.
QStringList NotUtf8Texts(const TableDocument& document) {
  QStringList names;
  for (int code = 0; code < kCodeCount; ++code) {
    const auto c = static_cast<quint8>(code);
    if (!text::IsValidUtf8(document.GetCellText(c)) || !text::IsValidUtf8(document.MarkLabel(c))) {
      names << QStringLiteral("code %1").arg(QString::fromLatin1(HexByte(c)));
    }
  }
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

QByteArray CodeLine(const TableDocument& document, const Code& code) {
  if (!code.IsSingleByte()) {
    const ExtraLines& lines = document.GetExtraLines();
    const auto line = lines.DefiningLine(code);
    return line ? lines.at(*line).toByteArray() : QByteArray();
  }
  const QByteArray text = document.GetCellText(code);
  if (text.isEmpty()) return {};
  // A mark is written only on the text it stands for; on any other text it is ignored.
  if (document.HasWrittenMark(code)) {
    return text + HexByte(code.Last()) + document.MarkLabel(code);
  }
  return HexByte(code.Last()) + '=' + text;
}

QByteArray TableToBytes(const TableDocument& document, SaveLayout layout) {
  if (layout == SaveLayout::kKeepFile && document.Layout()) {
    return LayoutToBytes(document, *document.Layout());
  }
  const qsizetype bound = WrittenSizeBound(document);
  // Extra lines straight into the buffer: there can be millions, and an append each costs more
  // than its bytes.
  QByteArray out(bound, Qt::Uninitialized);
  char* at = out.data();
  const ExtraLines& lines = document.GetExtraLines();
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QByteArrayView line = lines.at(i);
    if (line.isEmpty()) continue;
    std::memcpy(at, line.data(), static_cast<size_t>(line.size()));
    std::memcpy(at + line.size(), kCrLf.data(), 2);
    at += line.size() + 2;
  }
  out.truncate(at - out.constData());
  return out.append(CodeAndBookmarkLines(document));
}

QByteArray CodeAndBookmarkLines(const TableDocument& document) {
  QByteArray out;
  for (int code = 0; code < kCodeCount; ++code) {
    const QByteArray line = CodeLine(document, static_cast<quint8>(code));
    if (!line.isEmpty()) out.append(line).append(kCrLf);
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const Bookmark bookmark = document.GetBookmark(slot).value_or(Bookmark{});
    if (bookmark.title.isEmpty()) continue;
    out.append(kCrLf).append('(').append(HexAddress(bookmark.address)).append("h)");
    out.append(bookmark.title).append(kCrLf);
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
  if (layout == SaveLayout::kCanonical) document.SetLayout(nullptr);
  return std::nullopt;
}

}  // namespace orvane::model
