#pragma once

#include "text/encoding.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <array>
#include <optional>

namespace orvane::model {

inline constexpr int kCodeCount = 256;
inline constexpr int kSlotCount = 31;
inline constexpr char kUnnamed[] = "Unnamed";
// " - Orvane " and the version, after the path in every window title.
[[nodiscard]] QString TitleSuffix();

// One byte code of the table: its text, held as raw bytes, and its end-of-string/line mark.
struct CodeCell {
  QByteArray text;
  bool special = false;
};

// A named address. A slot is in use exactly when its title is not empty.
struct Bookmark {
  qint32 address = 0;
  QByteArray title;

  friend bool operator==(const Bookmark&, const Bookmark&) = default;
};

// The one open table. Every change is announced with a signal so that a window can show the
// table without keeping a copy; inside a BulkChange the per-item signals are held back and a
// single tableReset() is sent at the end.
class TableDocument : public QObject {
  Q_OBJECT

 public:
  explicit TableDocument(QObject* parent = nullptr);

  [[nodiscard]] QByteArray GetCellText(quint8 code) const { return cells_[code].text; }
  void SetCellText(quint8 code, const QByteArray& text);
  [[nodiscard]] bool IsSpecial(quint8 code) const { return cells_[code].special; }
  void MarkSpecial(quint8 code);
  void UnmarkSpecial(quint8 code);

  // Empties cells, marks and both stores, returns to the format's own encoding and clears the
  // modified flag; path and title stay.
  void ClearTable();

  [[nodiscard]] bool IsModified() const { return modified_; }
  void SetModified(bool modified);

  // Slot operations refuse a slot outside 0..30 (false / nullopt) and then change nothing.
  [[nodiscard]] int BookmarkCount() const;
  [[nodiscard]] std::optional<Bookmark> GetBookmark(int slot) const;
  [[nodiscard]] bool SetBookmark(int slot, qint32 address, const QByteArray& title);
  [[nodiscard]] bool ClearBookmark(int slot);
  // The operations that keep the slots in use packed at the front. Add takes the first free
  // slot (false when all 31 are used); Replace changes a slot in use; Remove moves the last
  // bookmark into the freed slot. An empty title or a slot not in use is refused.
  [[nodiscard]] bool AddBookmark(qint32 address, const QByteArray& title);
  [[nodiscard]] bool ReplaceBookmark(int slot, qint32 address, const QByteArray& title);
  [[nodiscard]] bool RemoveBookmark(int slot);

  [[nodiscard]] int ExtraLineCount() const;
  [[nodiscard]] std::optional<QByteArray> GetExtraLine(int slot) const;
  [[nodiscard]] bool SetExtraLine(int slot, const QByteArray& text);

  [[nodiscard]] QString TablePath() const { return table_path_; }
  [[nodiscard]] bool HasFile() const { return table_path_ != QLatin1String(kUnnamed); }
  // Sets the path and shows it in the title.
  void SetTablePath(const QString& path);
  [[nodiscard]] QString WindowTitle() const { return window_title_; }
  // The title can name a file before the path does (a load names it before opening).
  void SetWindowTitle(const QString& title);

  // How the table's bytes read as characters; the bytes themselves never change with it.
  [[nodiscard]] text::Encoding Encoding() const { return encoding_; }
  void SetEncoding(text::Encoding encoding);

  [[nodiscard]] bool InBulkChange() const { return bulk_depth_ > 0; }

 signals:
  void cellChanged(quint8 code);
  void tableReset();
  void bookmarksChanged();
  void extraLinesChanged();
  void windowTitleChanged(const QString& title);
  void modifiedChanged(bool modified);
  void encodingChanged(text::Encoding encoding);

 private:
  friend class BulkChange;
  [[nodiscard]] static bool ValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
  void BeginBulk() { ++bulk_depth_; }
  void EndBulk();
  void NotifyCell(quint8 code);

  std::array<CodeCell, kCodeCount> cells_{};
  std::array<Bookmark, kSlotCount> bookmarks_{};
  std::array<QByteArray, kSlotCount> extra_lines_{};
  QString table_path_;
  QString window_title_;
  bool modified_ = false;
  text::Encoding encoding_ = text::Encoding::kEucJp;
  int bulk_depth_ = 0;
  bool bulk_dirty_ = false;
};

// Holds back the document's item signals for its lifetime and, if anything changed, sends one
// tableReset() when the outermost scope ends, so a view redraws once per bulk change.
class BulkChange {
 public:
  explicit BulkChange(TableDocument& document) : document_(document) { document_.BeginBulk(); }
  ~BulkChange() { document_.EndBulk(); }
  BulkChange(const BulkChange&) = delete;
  BulkChange& operator=(const BulkChange&) = delete;

 private:
  TableDocument& document_;
};

}  // namespace orvane::model
