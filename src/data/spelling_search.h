#pragma once

#include "data/code_lookup.h"

#include <QByteArray>
#include <QHash>
#include <QStringView>

#include <optional>
#include <vector>

namespace orvane::data {

// A way to spell a text: a code whose reading it is, with that code's bytes.
struct Spelling {
  QString text;
  QByteArray bytes;
};
// The spellings of a table by the first UTF-16 unit of their text.
using SpellingIndex = QHash<char16_t, std::vector<Spelling>>;

// The fewest bytes that spell a text, and among as few the first in byte order: a shortest path
// over the text's positions, each step a code whose reading is the text there, or a "<$XX>" that
// is that byte. When `checked`, a path only takes a step the reading would take too (no longer
// code may begin where a code was put, and no code at all where a raw byte was), so that the
// bytes read back as the text; the path then also carries the last bytes whose reading the
// following bytes can still change. Time and memory grow with the text's length.
class SpellingSearch {
 public:
  SpellingSearch(const SpellingIndex& index, const CodeLookup& lookup, QStringView text,
                 bool checked);

  // Whether some bytes spell the whole text; else how far, in UTF-16 units, a spelling gets.
  [[nodiscard]] bool Spelled() const { return nodes_[0].distance != kUnreached; }
  [[nodiscard]] qsizetype Furthest() const;
  [[nodiscard]] qint64 Distance() const { return nodes_[0].distance; }
  // The bytes, when Spelled().
  [[nodiscard]] QByteArray Best() const;

 private:
  static constexpr qint64 kUnreached = -1;
  struct Step {
    qint32 advance;   // text units spelled
    qint8 length;     // bytes
    qint8 min_match;  // longest code the reading may find at it: 0 for a raw byte
    std::array<char, 4> bytes;
  };
  struct Edge {
    qint32 to;
    qint32 step;
  };
  struct Node {
    quint64 pending;
    qint32 next = -1;  // the next node at the same position
    qint32 position;
    qint64 distance = kUnreached;
    qint32 first_edge = 0;
    qint32 end_edge = 0;
  };

  void CollectSteps(const SpellingIndex& index, QStringView text);
  void Explore();
  void Measure();
  qint32 NodeAt(qint32 position, quint64 pending);
  [[nodiscard]] std::optional<quint64> Follow(quint64 pending, const Step& step) const;

  const CodeLookup& lookup_;
  bool checked_;
  qint32 size_;
  std::vector<Step> steps_;
  std::vector<qint32> first_step_;  // steps at each position, and one past the last
  std::vector<Node> nodes_;
  std::vector<qint32> head_;  // first node at each position
  std::vector<Edge> edges_;
};

}  // namespace orvane::data
