#pragma once

#include "model/code.h"
#include "text/encoding.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace orvane::model {
class TableDocument;
}

namespace orvane::data {

// How a code reads: as its text, or as a mark the writer would write (a marked code whose text
// is exactly "/" or "*").
enum class CodeKind : quint8 { kText, kEnd, kLineBreak };

// How the reading of a line break appears: as the marker of one-line output, or as a line end.
enum class LineBreaks : quint8 { kMarker, kNewLine };

inline constexpr QStringView kEndMarker = u"<END>";
inline constexpr QStringView kLineMarker = u"<LINE>";

// What one code of the table reads as. `shown` is the text as the grid shows it, a mark's label
// without its leading "=", or the marker of a mark without a label.
struct CodeReading {
  model::Code code;
  CodeKind kind = CodeKind::kText;
  bool labelled = false;  // a mark with a label of its own
  QString shown;

  void SetShown(QString text) {
    shown = std::move(text);
    brief_size_ = shown.size() <= static_cast<qsizetype>(brief_.size())
                      ? static_cast<quint8>(shown.size())
                      : quint8{0};
    std::copy_n(shown.utf16(), brief_size_, brief_.begin());
  }
  // A line break without a label reads as a line end where the output has lines.
  [[nodiscard]] QStringView Shown(LineBreaks breaks) const {
    if (kind == CodeKind::kLineBreak && !labelled && breaks == LineBreaks::kNewLine) return u"\n";
    // Most texts are a character or two, read here without going to the string's own memory.
    if (brief_size_ > 0) return QStringView(brief_.data(), brief_size_);
    return shown;
  }

 private:
  std::array<char16_t, 4> brief_{};
  quint8 brief_size_ = 0;
};

// The table's codes that read as something, arranged so that the longest code at a byte of data
// is found with a few array reads: a flat table of the single bytes, a flat table of second bytes
// for each lead byte that leads codes, and the rare codes of three and four bytes in one sorted
// array. It is rebuilt code by code as the table changes.
class CodeLookup {
 public:
  struct Match {
    const CodeReading* reading = nullptr;  // valid until the lookup changes
    int length = 0;
  };

  CodeLookup();

  // Everything anew, from the document's codes and encoding.
  void Build(const model::TableDocument& document);
  // One code as the document has it now.
  void Update(const model::TableDocument& document, const model::Code& code);

  // The longest code that starts `bytes`, looking at no more than `available` of them.
  [[nodiscard]] Match Longest(const char* bytes, qsizetype available) const {
    Match match;
    const auto lead = static_cast<quint8>(bytes[0]);
    if (const qint32 single = single_[lead]; single >= 0) match = {&readings_[single], 1};
    const qint32 node_index = leads_[lead];
    if (available < 2 || node_index < 0) return match;
    const Node& node = nodes_[static_cast<size_t>(node_index)];
    const auto second = static_cast<quint8>(bytes[1]);
    if (node.longer[second] > 0 && available >= 3) {
      if (const CodeReading* longer = FindLonger(bytes, available)) {
        return {longer, longer->code.Length()};
      }
    }
    if (const qint32 pair = node.pairs[second]; pair >= 0) match = {&readings_[pair], 2};
    return match;
  }
  // The code of exactly these one to four bytes, or null.
  [[nodiscard]] const CodeReading* Find(const char* bytes, int length) const;
  // Whether a code longer than `length` bytes begins with these bytes.
  [[nodiscard]] bool Extends(const char* bytes, int length) const;

  // Every code that reads, in no particular order.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (size_t i = 0; i < readings_.size(); ++i) {
      if (!free_[i]) visit(readings_[i]);
    }
  }
  [[nodiscard]] qsizetype Count() const;
  // The encoding the shown texts were made in.
  [[nodiscard]] text::Encoding Encoding() const { return encoding_; }

 private:
  struct Node {
    std::array<qint32, 256> pairs;    // reading of the two-byte code, or -1
    std::array<quint32, 256> longer;  // how many codes of three and four bytes start here
    qint32 codes = 0;                 // codes of two to four bytes under the lead byte
  };
  // Codes of three and four bytes, by their length and value.
  using LongerKey = quint64;
  static LongerKey KeyOf(const model::Code& code) {
    return static_cast<quint64>(code.Length()) << 32 | code.Value();
  }
  [[nodiscard]] const CodeReading* FindLonger(const char* bytes, qsizetype available) const;
  [[nodiscard]] qint32* Slot(const model::Code& code, bool create);
  void Set(const model::Code& code, std::optional<CodeReading> reading);
  void Count(const model::Code& code, int by);
  qint32 Store(CodeReading reading);
  void Release(qint32 index);

  std::array<qint32, 256> single_{};
  std::array<qint32, 256> leads_{};
  std::vector<Node> nodes_;
  std::vector<std::pair<LongerKey, qint32>> longer_;  // sorted by key
  std::vector<CodeReading> readings_;
  std::vector<bool> free_;
  std::vector<qint32> free_list_;
  text::Encoding encoding_ = text::Encoding::kEucJp;
};

}  // namespace orvane::data
