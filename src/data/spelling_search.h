#pragma once

#include "data/code_lookup.h"

#include <QByteArray>
#include <QHash>
#include <QStringView>

#include <array>
#include <optional>
#include <vector>

namespace orvane::data {

// A way to spell a text: a code whose reading it is, with that code's bytes. For a control code,
// `text` is where its reading starts, and the rest, with its argument bytes, is the control's.
struct Spelling {
  QString text;
  QByteArray bytes;
  const CodeReading* control = nullptr;  // valid while the lookup it came from is
  bool without_breaks = false;           // the control code may be spelt without its line breaks
};
// The spellings of a table by the first UTF-16 unit of their text.
using SpellingIndex = QHash<char16_t, std::vector<Spelling>>;

// The table's codes as a tree of their bytes with equal branches merged: two beginnings of codes
// in one class are followed by the same bytes to the same ends of codes, so whatever comes
// after them, the reading treats them alike. However many codes share what follows them (say
// 8,000 codes that are three of 20 bytes and then 15), there is one class for them.
class CodeClasses {
 public:
  static constexpr qint32 kNone = 0;  // no code continues
  struct Next {
    qint32 next = kNone;  // what may follow
    bool code = false;    // a code ends here
  };

  explicit CodeClasses(const CodeLookup& lookup);

  [[nodiscard]] qint32 Root() const { return root_; }
  // Where `byte` after a beginning of class `from` leads, or nothing when no code goes on so.
  [[nodiscard]] std::optional<Next> After(qint32 from, quint8 byte) const;

 private:
  struct Edge {
    quint8 byte;
    Next to;
  };
  std::vector<qint32> first_edge_{0};  // of each class, and one past the last
  std::vector<Edge> edges_;
  qint32 root_ = kNone;
};

// The fewest bytes that spell a text, and among as few the first in byte order: a shortest path
// over the text's positions, each step a code whose reading is the text there (a control code
// with its argument bytes), or a "<$XX>" that is that byte. When `checked`, a path only takes a
// step the reading would take too (no longer code may begin where a code was put, and no code at
// all where a raw byte was), so that the bytes read back as the text; the path then also carries
// the codes the following bytes could still complete, as their CodeClasses, at most three. The work
// is bounded by the text's length: a table whose overlapping codes would need more gives up
// (Abandoned()).
class SpellingSearch {
 public:
  SpellingSearch(const SpellingIndex& index, const CodeLookup& lookup, QStringView text,
                 bool checked);

  // Whether some bytes spell the whole text; else how far, in UTF-16 units, a spelling gets.
  [[nodiscard]] bool Spelled() const { return !abandoned_ && nodes_[0].distance != kUnreached; }
  [[nodiscard]] qsizetype Furthest() const;
  [[nodiscard]] qint64 Distance() const { return nodes_[0].distance; }
  // Whether the search stopped at its bound on work, so that nothing is known.
  [[nodiscard]] bool Abandoned() const { return abandoned_; }
  // The steps and nodes looked at: what the bound counts.
  [[nodiscard]] qint64 Work() const { return work_; }
  // The bytes, when Spelled().
  [[nodiscard]] QByteArray Best() const;

 private:
  static constexpr qint64 kUnreached = -1;
  // The classes of the codes begun and not settled, largest first, kNone after the last.
  using Open = std::array<qint32, model::kMaxCodeLength - 1>;
  struct Step {
    qint32 advance;   // text units spelled
    qint16 length;    // bytes: a code's, and a control code's arguments
    qint8 min_match;  // longest code the reading may find at it: 0 for a raw byte
    qint32 first;     // of its bytes in bytes_
  };
  struct Edge {
    qint32 to;
    qint32 step;
  };
  struct Node {
    qint64 distance = kUnreached;
    qint32 next = -1;  // the next node at the same position
    qint32 first_edge = 0;
    qint32 end_edge = 0;
  };

  void CollectSteps(const SpellingIndex& index, QStringView text);
  void AddStep(qint32 advance, QByteArrayView bytes, int min_match);
  [[nodiscard]] quint8 ByteOf(const Step& step, int at) const {
    return static_cast<quint8>(bytes_[static_cast<size_t>(step.first) + static_cast<size_t>(at)]);
  }
  void Explore();
  void Measure();
  qint32 NodeAt(qint32 position, const Open& open);
  [[nodiscard]] std::optional<Open> Follow(const Open& open, const Step& step) const;

  std::optional<CodeClasses> classes_;  // when checked
  qint32 size_;
  qint64 budget_;
  qint64 work_ = 0;
  bool abandoned_ = false;
  std::vector<Step> steps_;
  std::vector<char> bytes_;
  std::vector<qint32> first_step_;  // steps at each position, and one past the last
  std::vector<Node> nodes_;
  std::vector<Open> opens_;   // of each node, when checked: else every node has none open
  std::vector<qint32> head_;  // first node at each position
  std::vector<Edge> edges_;
};

}  // namespace orvane::data
