#include "model/table_file.h"

#include "model/hex.h"
#include "model/table_document.h"

#include <QFile>
#include <QSaveFile>

#include <array>

namespace orvane::model {
namespace {

constexpr QByteArrayView kCrLf("\r\n");

// Cell texts are applied once per code at the end: a large file often sets a code many times,
// and one allocation per line would dominate the load.
class TableReader {
 public:
  explicit TableReader(TableDocument& document) : document_(document) {}
  ~TableReader() { Apply(); }
  TableReader(const TableReader&) = delete;
  TableReader& operator=(const TableReader&) = delete;

  [[nodiscard]] std::optional<QString> ReadLine(QByteArrayView line);

 private:
  [[nodiscard]] std::optional<QString> ReadCodeEntry(QByteArrayView line);
  [[nodiscard]] std::optional<QString> ReadBookmark(QByteArrayView line);
  [[nodiscard]] std::optional<QString> ReadSpecial(QByteArrayView line);
  [[nodiscard]] std::optional<QString> ReadExtraLine(QByteArrayView line);
  void Apply();

  struct PendingCell {
    bool set = false;
    QByteArrayView text;
  };

  TableDocument& document_;
  BulkChange bulk_{document_};
  std::array<PendingCell, kCodeCount> pending_{};
  int bookmark_count_ = 0;
  int extra_line_count_ = 0;
};

std::optional<QString> NotHex() { return HexErrorText(HexError::kNotHexDigit); }

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

enum class LineForm { kEmpty, kCodeEntry, kBookmark, kSpecial, kExtraLine };

// The form of a line, by the first test that matches. A "(" line without "h)" or without a
// title is kept verbatim as an extra line rather than dropped, so a load and a save never lose
// a line the user wrote, and no untitled bookmark leaves a free slot among the used ones.
LineForm Classify(QByteArrayView line) {
  if (line.size() >= 3 && line[2] == '=') return LineForm::kCodeEntry;
  if (line.isEmpty()) return LineForm::kEmpty;
  switch (line[0]) {
    case '(': {
      const qsizetype h = BookmarkEnd(line);
      return h < 0 || h + 2 == line.size() ? LineForm::kExtraLine : LineForm::kBookmark;
    }
    case '/':
    case '*':
      return LineForm::kSpecial;
    default:
      return LineForm::kExtraLine;
  }
}

std::optional<QString> TableReader::ReadLine(QByteArrayView line) {
  switch (Classify(line)) {
    case LineForm::kCodeEntry:
      return ReadCodeEntry(line);
    case LineForm::kBookmark:
      return ReadBookmark(line);
    case LineForm::kSpecial:
      return ReadSpecial(line);
    case LineForm::kExtraLine:
      return ReadExtraLine(line);
    case LineForm::kEmpty:
      break;
  }
  return std::nullopt;
}

std::optional<QString> TableReader::ReadCodeEntry(QByteArrayView line) {
  const auto code = CodeAt(line, 0);
  if (!code) return NotHex();
  pending_[*code] = PendingCell{true, line.sliced(3)};
  return std::nullopt;
}

std::optional<QString> TableReader::ReadBookmark(QByteArrayView line) {
  const qsizetype h = BookmarkEnd(line);
  if (bookmark_count_ == kSlotCount) return QStringLiteral("more than 31 bookmarks");
  const auto address = ParseHexAddress(line.sliced(1, h - 1));
  if (const auto* error = std::get_if<HexError>(&address)) return HexErrorText(*error);
  (void)document_.SetBookmark(bookmark_count_++, std::get<qint32>(address),
                              line.sliced(h + 2).toByteArray());
  return std::nullopt;
}

std::optional<QString> TableReader::ReadSpecial(QByteArrayView line) {
  const auto code = CodeAt(line, 1);
  if (!code) return NotHex();
  document_.MarkSpecial(*code);
  pending_[*code] = PendingCell{true, line.first(1)};
  return std::nullopt;
}

std::optional<QString> TableReader::ReadExtraLine(QByteArrayView line) {
  if (extra_line_count_ == kSlotCount) return QStringLiteral("more than 31 extra lines");
  (void)document_.SetExtraLine(extra_line_count_++, line.toByteArray());
  return std::nullopt;
}

void TableReader::Apply() {
  for (int code = 0; code < kCodeCount; ++code) {
    const PendingCell& cell = pending_[static_cast<size_t>(code)];
    if (cell.set) document_.SetCellText(static_cast<quint8>(code), cell.text.toByteArray());
  }
  // Also after a load that stopped part way: the lines read are shown.
  document_.SetEncoding(DetectEncoding(document_));
}

}  // namespace

text::Encoding DetectEncoding(const TableDocument& document) {
  text::EncodingDetector detector;
  for (int code = 0; code < kCodeCount; ++code) {
    detector.Add(document.GetCellText(static_cast<quint8>(code)));
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    detector.Add(document.GetExtraLine(slot).value_or(QByteArray()));
    detector.Add(document.GetBookmark(slot).value_or(Bookmark{}).title);
  }
  return detector.Result();
}

bool ReadsAsExtraLine(QByteArrayView line) {
  return !line.contains('\r') && !line.contains('\n') && Classify(line) == LineForm::kExtraLine;
}

std::optional<LoadError> LoadTableFromBytes(TableDocument& document, QByteArrayView bytes) {
  TableReader reader(document);
  const char* const end = bytes.data() + bytes.size();
  const char* start = bytes.data();
  qsizetype number = 0;
  while (start < end) {
    // CR LF, a lone CR and a lone LF each end a line.
    const char* stop = start;
    while (stop < end && *stop != '\r' && *stop != '\n') ++stop;
    ++number;
    if (auto reason = reader.ReadLine(QByteArrayView(start, stop - start))) {
      return LoadError{number, std::move(*reason)};
    }
    if (stop < end && *stop == '\r' && stop + 1 < end && stop[1] == '\n') ++stop;
    start = stop + 1;
  }
  return std::nullopt;
}

std::optional<LoadError> LoadTable(TableDocument& document, const QString& path) {
  document.SetWindowTitle(path + TitleSuffix());
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return LoadError{0, file.errorString()};
  document.SetTablePath(path);
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return LoadError{0, file.errorString()};
  return LoadTableFromBytes(document, bytes);
}

namespace {

// An upper bound of the written size: growing a table of many megabytes by appends would copy
// it several times over.
qsizetype WrittenSizeBound(const TableDocument& document) {
  qsizetype size = 0;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    size += document.GetExtraLine(slot).value_or(QByteArray()).size() + 2;
    size += document.GetBookmark(slot).value_or(Bookmark{}).title.size() + 16;
  }
  for (int code = 0; code < kCodeCount; ++code) {
    size += document.GetCellText(static_cast<quint8>(code)).size() + 5;
  }
  return size;
}

}  // namespace

QByteArray TableToBytes(const TableDocument& document) {
  QByteArray out;
  out.reserve(WrittenSizeBound(document));
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const QByteArray line = document.GetExtraLine(slot).value_or(QByteArray());
    if (!line.isEmpty()) out.append(line).append(kCrLf);
  }
  for (int c = 0; c < kCodeCount; ++c) {
    const auto code = static_cast<quint8>(c);
    const QByteArray text = document.GetCellText(code);
    if (text.isEmpty()) continue;
    if (document.IsSpecial(code) && (text == "/" || text == "*")) {
      out.append(text).append(HexByte(code)).append(kCrLf);
    } else {
      out.append(HexByte(code)).append('=').append(text).append(kCrLf);
    }
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const Bookmark bookmark = document.GetBookmark(slot).value_or(Bookmark{});
    if (bookmark.title.isEmpty()) continue;
    out.append(kCrLf).append('(').append(HexAddress(bookmark.address)).append("h)");
    out.append(bookmark.title).append(kCrLf);
  }
  return out;
}

namespace {

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

std::optional<SaveError> SaveTable(TableDocument& document, const QString& path) {
  const QByteArray bytes = TableToBytes(document);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    return SaveError{file.errorString()};
  }
  // QSaveFile commits a short file when a write or the last flush fails: cancel it first.
  if (!WriteAll(file, bytes)) {
    const QString reason = file.errorString();
    file.cancelWriting();
    (void)file.commit();
    return SaveError{reason};
  }
  if (!file.commit()) return SaveError{file.errorString()};
  document.SetTablePath(path);
  return std::nullopt;
}

}  // namespace orvane::model
