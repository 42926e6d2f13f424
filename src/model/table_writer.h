#pragma once

#include "model/file_layout.h"
#include "model/file_lines.h"
#include "model/table_document.h"
#include "model/table_line.h"

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <vector>

namespace orvane::model {

// Appends with plain copies into room made ahead: a table of many short lines would spend more
// on the container's own appends than on its bytes. The buffer has its size once the sink ends.
class ByteSink {
 public:
  ByteSink(QByteArray& out, qsizetype expected) : out_(out) {
    used_ = out_.size();
    out_.resize(used_ + expected);
    at_ = out_.data() + used_;
    end_ = out_.data() + out_.size();
  }
  ~ByteSink() { out_.truncate(at_ - out_.constData()); }
  ByteSink(const ByteSink&) = delete;
  ByteSink& operator=(const ByteSink&) = delete;

  void Append(QByteArrayView bytes) {
    if (bytes.isEmpty()) return;
    if (end_ - at_ < bytes.size()) Grow(bytes.size());
    std::memcpy(at_, bytes.data(), static_cast<size_t>(bytes.size()));
    at_ += bytes.size();
  }
  void AppendLine(QByteArrayView line) {
    if (end_ - at_ < line.size() + 2) Grow(line.size() + 2);
    if (!line.isEmpty()) std::memcpy(at_, line.data(), static_cast<size_t>(line.size()));
    at_ += line.size();
    *at_++ = '\r';
    *at_++ = '\n';
  }
  // Takes back the last bytes appended.
  void Chop(qsizetype bytes) { at_ -= bytes; }

  static constexpr QByteArrayView kCrLf{"\r\n"};

 private:
  void Grow(qsizetype more) {
    const qsizetype used = at_ - out_.constData();
    out_.resize(std::max(2 * out_.size(), used + more));
    at_ = out_.data() + used;
    end_ = out_.data() + out_.size();
  }

  QByteArray& out_;
  qsizetype used_ = 0;
  char* at_ = nullptr;
  char* end_ = nullptr;
};

// The extra lines of the table in the file's order: each stands on the line it came from; one
// added since goes after the line of the extra line before it. A line no extra line comes from
// any more is gone.
class ExtraLineMerge {
 public:
  ExtraLineMerge(const ExtraLines& lines, qsizetype line_count)
      : lines_(lines), line_count_(line_count) {}

  // The extra line that stands on file line `number` now, in `line`; false when there is none.
  bool Take(qsizetype number, QByteArrayView& line) {
    if (next_ == lines_.size() || lines_.Origin(next_) != number) return false;
    line = lines_.at(next_++);
    return !line.isEmpty();
  }
  // AddNew(before) writes nothing for every `before` below this.
  [[nodiscard]] qsizetype IdleBelow() const {
    if (next_ == lines_.size()) return std::numeric_limits<qsizetype>::max();
    const qsizetype origin = lines_.Origin(next_);
    return origin <= line_count_ ? origin : 0;
  }
  // Writes the lines added since that come before file line `before` + 1.
  template <typename Add>
  void AddNew(qsizetype before, Add add) {
    for (; next_ < lines_.size(); ++next_) {
      const qsizetype origin = lines_.Origin(next_);
      if (origin > before && origin <= line_count_) return;
      if (!lines_.at(next_).isEmpty()) add(lines_.at(next_));
    }
  }

 private:
  const ExtraLines& lines_;
  qsizetype line_count_;
  qsizetype next_ = 0;
};

// Plans what becomes of the file's lines, then writes them: the file's own layout writes every
// line where it stood; the canonical form writes the extra lines and the longer codes' lines in
// file order, then the single bytes in code order, then the bookmarks. Only the lines of codes
// that changed since the file was read are read again.
class TableWriter {
 public:
  TableWriter(const TableDocument& document, const FileLayout* layout, bool keep)
      : document_(document), layout_(layout), keep_(keep) {}

  [[nodiscard]] QByteArray Write();
  void WriteSingleBytes(ByteSink& bytes) const;
  void WriteBookmarks(ByteSink& bytes) const;

 private:
  // A change to a line of the file (numbered from 0): replaced or dropped, or a new line before it
  // (before the file's line count: after the last line). Sorted by line, the writer meets each
  // once.
  struct Change {
    enum Kind { kInsertBefore, kReplace, kDrop };
    qsizetype line;
    Kind kind;
    QByteArray text;
  };

  // A line of the file that a single-byte code or a bookmark stands on, read whole.
  struct ReadLine {
    qsizetype line;
    QByteArrayView text;
    TableLine read;
  };

  // A longer code's line as the file has it: which code, where, and whether it is the last.
  struct CodeAt {
    Code code;
    qsizetype line;  // from 0
  };

  [[nodiscard]] bool Changed(const Code& code) const {
    return std::binary_search(changed_.begin(), changed_.end(), code);
  }
  [[nodiscard]] CodeSpelling Spelling(const Code& code, QByteArrayView digits) const {
    return CodeSpelling{digits, layout_ == nullptr || !layout_->HasBareLabel(code)};
  }
  void Plan();
  void ReadFile();
  // Whether the code's line stands among the extra lines: a longer code's, a control code's.
  [[nodiscard]] static bool OnTop(const Code& code, const std::optional<CodeView>& view) {
    return view && (!code.IsSingleByte() || view->control);
  }
  void PlanTopCodes();
  void PlanNewTopCodes(const std::vector<CodeAt>& lines);
  void PlanSingleByte(quint8 code, const std::vector<ReadLine>& lines);
  void PlanNewSingleByte(quint8 code, const QByteArray& line);
  void PlanBookmarks();
  void Replace(qsizetype line, QByteArray text) {
    changes_.push_back({line, Change::kReplace, std::move(text)});
  }
  void Drop(qsizetype line) { changes_.push_back({line, Change::kDrop, {}}); }
  void InsertBefore(qsizetype line, QByteArray text) {
    changes_.push_back({line, Change::kInsertBefore, std::move(text)});
  }
  void WriteLines(ByteSink& bytes);
  void WriteTopLines(ByteSink& bytes);
  void WriteWithoutFile(QByteArray& bytes) const;

  const TableDocument& document_;
  const FileLayout* layout_;
  const bool keep_;
  std::vector<Code> changed_;  // codes whose text or mark differs from the file's, in code order
  qsizetype line_count_ = 0;
  LineEnding final_ending_ = LineEnding::kNone;
  LineEnding usual_ending_ = LineEnding::kCrLf;
  std::array<std::vector<ReadLine>, kCodeCount> code_lines_;
  std::vector<ReadLine> bookmark_lines_;
  std::vector<Change> changes_;
  QList<QByteArray> new_bookmarks_;
};

}  // namespace orvane::model
