#pragma once

#include "model/code.h"
#include "model/code_store.h"
#include "model/extra_lines.h"
#include "text/encoding.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <array>
#include <memory>
#include <optional>

namespace orvane::model {

inline constexpr int kCodeCount = 256;
inline constexpr int kSlotCount = 31;
inline constexpr char kUnnamed[] = "Unnamed";
// " - Orvane " and the version, after the path in every window title.
[[nodiscard]] QString TitleSuffix();

// A named address. A slot is in use exactly when its title is not empty. `origin` is the file
// line it was read from, 0 for a bookmark added since.
struct Bookmark {
  qint32 address = 0;
  QByteArray title;
  qsizetype origin = 0;

  friend bool operator==(const Bookmark&, const Bookmark&) = default;
};

struct FileLayout;

// The whole table at one moment: its codes, both stores, the encoding, the file form and the
// file as it was read. Copies share the data, so taking one is cheap whatever the table's size.
struct TableState {
  CodeStore codes;
  std::array<Bookmark, 31> bookmarks{};
  ExtraLines extra_lines;
  text::Encoding encoding = text::Encoding::kEucJp;
  text::FileForm form = text::FileForm::kPlain;
  std::shared_ptr<const FileLayout> layout;

  friend bool operator==(const TableState&, const TableState&) = default;
};

// The first code whose text or mark differs between two states of a table, in code order;
// nothing when no code differs.
[[nodiscard]] std::optional<Code> FirstChangedCode(const TableState& a, const TableState& b);

// The one open table. Every change is announced with a signal so that a window can show the
// table without keeping a copy; inside a BulkChange the per-item signals are held back and a
// single tableReset() is sent at the end. Every code of one to four bytes is held alike; where
// its line stood in the file and how it was spelled is the file layout's, for the writer.
class TableDocument : public QObject {
  Q_OBJECT

 public:
  explicit TableDocument(QObject* parent = nullptr);

  [[nodiscard]] QByteArray GetCellText(const Code& code) const { return codes_.Text(code); }
  // An empty text takes the code out of the table, unless a single byte keeps its mark. A longer
  // code marked as an end or line break is an entry again once its text is not the mark's.
  void SetCellText(const Code& code, const QByteArray& text);
  [[nodiscard]] bool IsSpecial(const Code& code) const;
  // A mark counts only on the text it stands for, "/" or "*": a save writes a marked cell with
  // any other text as a code entry, so only then is the mark shown and written.
  [[nodiscard]] bool HasWrittenMark(const Code& code) const;
  // Marking a cell that has no mark gives it no label; unmarking drops the label. A longer code
  // is marked only while its text is "/" or "*".
  void MarkSpecial(const Code& code);
  void UnmarkSpecial(const Code& code);
  // A mark's label, without the "=" the file may give before it ("[end]" of "/FF=[end]").
  [[nodiscard]] QByteArray MarkLabel(const Code& code) const;
  void SetMarkLabel(const Code& code, const QByteArray& label);
  // What the code holds, or nothing when the table does not hold it.
  [[nodiscard]] std::optional<CodeEntry> Entry(const Code& code) const;
  // Sets what the code holds in one change; nothing takes it out of the table.
  void SetEntry(const Code& code, const std::optional<CodeEntry>& entry);

  // Every code the table holds, for reading them all.
  [[nodiscard]] const CodeStore& Codes() const { return codes_; }
  // The pages of longer codes that hold at least one code, in code order.
  [[nodiscard]] QList<PageCount> Pages() const { return codes_.Pages(); }
  // Whether a longer code begins with all of `code`'s bytes: the page it leads holds codes.
  [[nodiscard]] bool LeadsCodes(const Code& code) const { return codes_.Extends(code); }
  // The codes the table holds, in code order: those with a text or a mark, and longer codes a
  // line defines without text.
  [[nodiscard]] QList<Code> DefinedCodes() const;

  // Empties cells, marks and both stores, returns to the format's own encoding and a plain file,
  // and clears the modified flag; path and title stay.
  void ClearTable();

  [[nodiscard]] bool IsModified() const { return modified_; }
  void SetModified(bool modified);

  // The bookmarks' slot operations refuse a slot outside 0..30 (false / nullopt) and then
  // change nothing.
  [[nodiscard]] int BookmarkCount() const;
  [[nodiscard]] std::optional<Bookmark> GetBookmark(int slot) const;
  [[nodiscard]] bool SetBookmark(int slot, qint32 address, const QByteArray& title,
                                 qsizetype origin = 0);
  [[nodiscard]] bool ClearBookmark(int slot);
  // The operations that keep the slots in use packed at the front. Add takes the first free
  // slot (false when all 31 are used); Replace changes a slot in use; Remove moves the last
  // bookmark into the freed slot. An empty title or a slot not in use is refused.
  [[nodiscard]] bool AddBookmark(qint32 address, const QByteArray& title);
  [[nodiscard]] bool ReplaceBookmark(int slot, qint32 address, const QByteArray& title);
  [[nodiscard]] bool RemoveBookmark(int slot);

  // The extra lines, any number in file order; an empty one is a free slot. A slot past the end
  // is refused; SetExtraLine at the end appends. A line that defines a code of two to four bytes
  // is no extra line: it sets that code, and the slot it was given is left free.
  [[nodiscard]] int ExtraLineCount() const;
  [[nodiscard]] qsizetype ExtraLineSlots() const { return extra_lines_.size(); }
  [[nodiscard]] std::optional<QByteArray> GetExtraLine(qsizetype slot) const;
  [[nodiscard]] bool SetExtraLine(qsizetype slot, const QByteArray& text);
  void AppendExtraLine(QByteArrayView text);
  // After the lines there are, sharing their text where the store is empty.
  void AddExtraLines(const ExtraLines& lines);
  // Codes read from a file, in place of any the table holds; all of them when it holds none.
  void AddCodes(const CodeStore& codes);
  // Every code anew, as one reset.
  void SetCodes(const CodeStore& codes);
  [[nodiscard]] const ExtraLines& GetExtraLines() const { return extra_lines_; }
  [[nodiscard]] QList<QByteArray> ExtraLineList() const { return extra_lines_.ToList(); }
  // `origins`, when given, names the file line of each (ExtraLines::Origin).
  void SetExtraLines(const QList<QByteArray>& lines, const QList<qsizetype>& origins = {});

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
  // How the file holds the text (a byte-order mark, UTF-16), apart from the encoding.
  [[nodiscard]] text::FileForm Form() const { return form_; }
  void SetForm(text::FileForm form) { form_ = form; }
  // The file as it was read, for a save that keeps its layout; none for a new table, or once a
  // save wrote the table in the canonical form.
  [[nodiscard]] const std::shared_ptr<const FileLayout>& Layout() const { return layout_; }
  void SetLayout(std::shared_ptr<const FileLayout> layout) { layout_ = std::move(layout); }

  [[nodiscard]] bool InBulkChange() const { return bulk_depth_ > 0; }

  [[nodiscard]] TableState Snapshot() const;
  // Returns the table to a snapshot: one cell's change is announced as that cell, more as one
  // reset. The encoding, form and layout come back only when asked: reading the bytes anew is
  // not a change of the table. The modified flag is the caller's.
  void Restore(const TableState& state, bool with_encoding);

 signals:
  void cellChanged(const model::Code& code);
  void tableReset();
  void bookmarksChanged();
  void extraLinesChanged();
  void windowTitleChanged(const QString& title);
  void modifiedChanged(bool modified);
  void encodingChanged(text::Encoding encoding);

 private:
  friend class BulkChange;
  [[nodiscard]] static bool ValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
  void NotifyExtraLines();
  // Sets the code a line of a code or mark of two to four bytes defines; false for other lines.
  bool DefinesLongerCode(QByteArrayView line);
  void BeginBulk() { ++bulk_depth_; }
  void EndBulk();
  void NotifyCell(const Code& code);

  CodeStore codes_;
  std::array<Bookmark, kSlotCount> bookmarks_{};
  ExtraLines extra_lines_;
  QString table_path_;
  QString window_title_;
  bool modified_ = false;
  text::Encoding encoding_ = text::Encoding::kEucJp;
  text::FileForm form_ = text::FileForm::kPlain;
  std::shared_ptr<const FileLayout> layout_;
  int bulk_depth_ = 0;
  bool bulk_dirty_ = false;
  bool encoding_changed_ = false;
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
