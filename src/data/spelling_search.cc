#include "data/spelling_search.h"

#include <algorithm>

namespace orvane::data {
namespace {

constexpr int kKeptBytes = model::kMaxCodeLength - 1;
// The bytes kept and a step's: room for a code's bytes after three kept ones.
constexpr size_t kHeldBytes = size_t{2} * model::kMaxCodeLength;

// The bytes whose reading is not settled yet, with the codes and raw bytes that start among
// them: at each, the longest code the reading may find there (a longer one would change it).
struct Pending {
  std::array<char, kHeldBytes> bytes{};
  std::array<qint8, kHeldBytes> min_match{};
  int size = 0;
};

// At most three bytes, packed: their count, the bytes, and for each its code's minimum + 1.
quint64 Pack(const Pending& pending, int from) {
  quint64 key = static_cast<quint64>(pending.size - from);
  for (int i = from; i < pending.size; ++i) {
    const int k = i - from;
    key |= static_cast<quint64>(static_cast<quint8>(pending.bytes[static_cast<size_t>(i)]))
           << (2 + 8 * k);
    key |= static_cast<quint64>(pending.min_match[static_cast<size_t>(i)] + 1) << (26 + 3 * k);
  }
  return key;
}

Pending Unpack(quint64 key) {
  Pending pending;
  pending.size = static_cast<int>(key & 3);
  pending.min_match.fill(-1);
  for (int k = 0; k < pending.size; ++k) {
    pending.bytes[static_cast<size_t>(k)] = static_cast<char>(key >> (2 + 8 * k));
    pending.min_match[static_cast<size_t>(k)] = static_cast<qint8>(((key >> (26 + 3 * k)) & 7) - 1);
  }
  return pending;
}

int HexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  return -1;
}

// The byte of a "<$XX>" at the start of the text, in upper-case digits as the reading shows it.
std::optional<char> RawByte(QStringView text) {
  if (text.size() < 5 || text[0] != u'<' || text[1] != u'$' || text[4] != u'>') return std::nullopt;
  const int high = HexDigit(text[2]);
  const int low = HexDigit(text[3]);
  if (high < 0 || low < 0) return std::nullopt;
  return static_cast<char>(high << 4 | low);
}

}  // namespace

SpellingSearch::SpellingSearch(const SpellingIndex& index, const CodeLookup& lookup,
                               QStringView text, bool checked)
    : lookup_(lookup), checked_(checked), size_(static_cast<qint32>(text.size())) {
  CollectSteps(index, text);
  Explore();
  Measure();
}

void SpellingSearch::CollectSteps(const SpellingIndex& index, QStringView text) {
  first_step_.resize(static_cast<size_t>(size_) + 1);
  steps_.reserve(static_cast<size_t>(size_));
  for (qint32 at = 0; at < size_; ++at) {
    first_step_[static_cast<size_t>(at)] = static_cast<qint32>(steps_.size());
    const QStringView rest = text.sliced(at);
    if (const auto spellings = index.constFind(rest[0].unicode()); spellings != index.cend()) {
      for (const Spelling& spelling : *spellings) {
        if (!rest.startsWith(spelling.text)) continue;
        Step step{static_cast<qint32>(spelling.text.size()),
                  static_cast<qint8>(spelling.bytes.size()),
                  static_cast<qint8>(spelling.bytes.size()),
                  {}};
        std::copy(spelling.bytes.begin(), spelling.bytes.end(), step.bytes.begin());
        steps_.push_back(step);
      }
    }
    if (const auto raw = RawByte(rest)) steps_.push_back(Step{5, 1, 0, {*raw, 0, 0, 0}});
  }
  first_step_[static_cast<size_t>(size_)] = static_cast<qint32>(steps_.size());
}

std::optional<quint64> SpellingSearch::Follow(quint64 pending_key, const Step& step) const {
  if (!checked_) return 0;
  Pending pending = Unpack(pending_key);
  const int before = pending.size;
  for (int i = 0; i < step.length; ++i) {
    const auto at = static_cast<size_t>(before) + static_cast<size_t>(i);
    pending.bytes[at] = step.bytes[static_cast<size_t>(i)];
    pending.min_match[at] = -1;
  }
  pending.min_match[static_cast<size_t>(before)] = step.min_match;
  pending.size = before + step.length;
  int first_open = pending.size;
  for (int s = 0; s < pending.size; ++s) {
    qint8& min_match = pending.min_match[static_cast<size_t>(s)];
    if (min_match < 0) continue;
    const char* from = pending.bytes.data() + s;
    const int available = pending.size - s;
    // The lengths the new bytes make readable; shorter ones were looked at before.
    const int last = std::min(available, model::kMaxCodeLength);
    for (int length = std::max<int>(min_match, before - s) + 1; length <= last; ++length) {
      if (lookup_.Find(from, length) != nullptr) return std::nullopt;
    }
    if (available < model::kMaxCodeLength && lookup_.Extends(from, available)) {
      first_open = std::min(first_open, s);
    } else {
      min_match = -1;
    }
  }
  if (first_open == pending.size) return 0;
  Q_ASSERT(pending.size - first_open <= kKeptBytes);
  return Pack(pending, first_open);
}

qint32 SpellingSearch::NodeAt(qint32 position, quint64 pending) {
  qint32& head = head_[static_cast<size_t>(position)];
  for (qint32 id = head; id >= 0; id = nodes_[static_cast<size_t>(id)].next) {
    if (nodes_[static_cast<size_t>(id)].pending == pending) return id;
  }
  Node node;
  node.pending = pending;
  node.next = head;
  node.position = position;
  nodes_.push_back(node);
  head = static_cast<qint32>(nodes_.size() - 1);
  return head;
}

void SpellingSearch::Explore() {
  head_.assign(static_cast<size_t>(size_) + 1, -1);
  nodes_.reserve(static_cast<size_t>(size_) + 1);
  edges_.reserve(steps_.size());
  (void)NodeAt(0, 0);
  for (qint32 at = 0; at < size_; ++at) {
    for (qint32 id = head_[static_cast<size_t>(at)]; id >= 0;
         id = nodes_[static_cast<size_t>(id)].next) {
      nodes_[static_cast<size_t>(id)].first_edge = static_cast<qint32>(edges_.size());
      const quint64 pending = nodes_[static_cast<size_t>(id)].pending;
      for (qint32 s = first_step_[static_cast<size_t>(at)];
           s < first_step_[static_cast<size_t>(at) + 1]; ++s) {
        const Step& step = steps_[static_cast<size_t>(s)];
        const auto next = Follow(pending, step);
        if (next) edges_.push_back(Edge{NodeAt(at + step.advance, *next), s});
      }
      nodes_[static_cast<size_t>(id)].end_edge = static_cast<qint32>(edges_.size());
    }
  }
}

void SpellingSearch::Measure() {
  for (qint32 id = head_[static_cast<size_t>(size_)]; id >= 0;
       id = nodes_[static_cast<size_t>(id)].next) {
    nodes_[static_cast<size_t>(id)].distance = 0;
  }
  for (qint32 at = size_ - 1; at >= 0; --at) {
    for (qint32 id = head_[static_cast<size_t>(at)]; id >= 0;
         id = nodes_[static_cast<size_t>(id)].next) {
      Node& node = nodes_[static_cast<size_t>(id)];
      for (qint32 e = node.first_edge; e < node.end_edge; ++e) {
        const Edge& edge = edges_[static_cast<size_t>(e)];
        const qint64 rest = nodes_[static_cast<size_t>(edge.to)].distance;
        if (rest == kUnreached) continue;
        const qint64 distance = rest + steps_[static_cast<size_t>(edge.step)].length;
        if (node.distance == kUnreached || distance < node.distance) node.distance = distance;
      }
    }
  }
}

qsizetype SpellingSearch::Furthest() const {
  qsizetype furthest = 0;
  for (qint32 at = 0; at <= size_; ++at) {
    if (head_[static_cast<size_t>(at)] >= 0) furthest = at;
  }
  return furthest;
}

QByteArray SpellingSearch::Best() const {
  // Byte by byte along every shortest path at once, keeping only the paths whose next byte is
  // the least: the first in byte order of the fewest bytes, in time linear in the paths' steps.
  struct Item {
    qint32 to;
    qint32 step;
    qint32 at;  // the step's next byte
  };
  std::vector<Item> frontier;
  std::vector<Item> next;
  std::vector<bool> expanded(nodes_.size());
  const auto expand = [&](qint32 id, std::vector<Item>& into) {
    if (expanded[static_cast<size_t>(id)]) return;
    expanded[static_cast<size_t>(id)] = true;
    const Node& node = nodes_[static_cast<size_t>(id)];
    for (qint32 e = node.first_edge; e < node.end_edge; ++e) {
      const Edge& edge = edges_[static_cast<size_t>(e)];
      const qint64 rest = nodes_[static_cast<size_t>(edge.to)].distance;
      if (rest != kUnreached &&
          rest + steps_[static_cast<size_t>(edge.step)].length == node.distance) {
        into.push_back(Item{edge.to, edge.step, 0});
      }
    }
  };
  QByteArray bytes;
  if (!Spelled()) return bytes;
  bytes.reserve(static_cast<qsizetype>(Distance()));
  expand(0, frontier);
  while (!frontier.empty()) {
    quint8 least = 0xFF;
    for (const Item& item : frontier) {
      const auto byte = static_cast<quint8>(
          steps_[static_cast<size_t>(item.step)].bytes[static_cast<size_t>(item.at)]);
      least = std::min(least, byte);
    }
    bytes.append(static_cast<char>(least));
    next.clear();
    for (const Item& item : frontier) {
      const Step& step = steps_[static_cast<size_t>(item.step)];
      if (static_cast<quint8>(step.bytes[static_cast<size_t>(item.at)]) != least) continue;
      if (item.at + 1 < step.length) {
        next.push_back(Item{item.to, item.step, item.at + 1});
      } else {
        expand(item.to, next);
      }
    }
    std::swap(frontier, next);
  }
  return bytes;
}

}  // namespace orvane::data
