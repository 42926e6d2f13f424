#include "data/spelling_search.h"

#include "data/control_text.h"

#include <algorithm>
#include <functional>

namespace orvane::data {
namespace {

// The search's work, bounded by the text's length so that no table makes it grow without end.
constexpr qint64 kBaseWork = qint64{1} << 24;
constexpr qint64 kWorkPerUnit = 64;

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

// The tree of the codes' bytes, each node made after its parent and its elder siblings.
struct TreeNode {
  qint32 first_child = -1;
  qint32 last_child = -1;
  qint32 sibling = -1;
  quint8 byte = 0;
  bool code = false;
};

std::vector<TreeNode> CodeTree(const CodeLookup& lookup) {
  // Each code's bytes left-aligned, then its length: in this order a code comes before the codes
  // it begins, and codes of one beginning come together.
  std::vector<quint64> keys;
  keys.reserve(static_cast<size_t>(lookup.Count()));
  lookup.ForEach([&keys](const CodeReading& reading) {
    const int length = reading.code.Length();
    const quint64 aligned = quint64{reading.code.Value()} << (8 * (model::kMaxCodeLength - length));
    keys.push_back(aligned << 3 | static_cast<quint64>(length));
  });
  std::sort(keys.begin(), keys.end());
  std::vector<TreeNode> tree(1);
  for (const quint64 key : keys) {
    qint32 at = 0;
    for (int i = 0; i < static_cast<int>(key & 7); ++i) {
      const auto byte = static_cast<quint8>(key >> (3 + 8 * (model::kMaxCodeLength - 1 - i)));
      const qint32 last = tree[static_cast<size_t>(at)].last_child;
      if (last >= 0 && tree[static_cast<size_t>(last)].byte == byte) {
        at = last;
        continue;
      }
      const auto child = static_cast<qint32>(tree.size());
      tree.push_back(TreeNode{-1, -1, -1, byte, false});
      (last >= 0 ? tree[static_cast<size_t>(last)].sibling
                 : tree[static_cast<size_t>(at)].first_child) = child;
      tree[static_cast<size_t>(at)].last_child = child;
      at = child;
    }
    tree[static_cast<size_t>(at)].code = true;
  }
  return tree;
}

}  // namespace

CodeClasses::CodeClasses(const CodeLookup& lookup) {
  const std::vector<TreeNode> tree = CodeTree(lookup);
  // Children before parents: a node's class is the list of its children's bytes and classes.
  first_edge_.push_back(0);  // kNone has no edges
  std::vector<qint32> classes(tree.size(), kNone);
  QHash<QByteArray, qint32> known;
  QByteArray signature;
  for (auto n = static_cast<qint32>(tree.size()) - 1; n >= 0; --n) {
    const TreeNode& node = tree[static_cast<size_t>(n)];
    if (node.first_child < 0) continue;
    signature.resize(0);
    for (qint32 c = node.first_child; c >= 0; c = tree[static_cast<size_t>(c)].sibling) {
      const TreeNode& child = tree[static_cast<size_t>(c)];
      const auto next = static_cast<quint32>(classes[static_cast<size_t>(c)]);
      for (const quint32 part :
           {quint32{child.byte}, quint32{child.code}, next, next >> 8, next >> 16, next >> 24}) {
        signature.append(static_cast<char>(part & 0xFF));
      }
    }
    auto at = known.constFind(signature);
    if (at == known.cend()) {
      at = known.insert(signature, static_cast<qint32>(first_edge_.size() - 1));
      for (qint32 c = node.first_child; c >= 0; c = tree[static_cast<size_t>(c)].sibling) {
        const TreeNode& child = tree[static_cast<size_t>(c)];
        edges_.push_back(Edge{child.byte, Next{classes[static_cast<size_t>(c)], child.code}});
      }
      first_edge_.push_back(static_cast<qint32>(edges_.size()));
    }
    classes[static_cast<size_t>(n)] = *at;
  }
  root_ = classes[0];
}

std::optional<CodeClasses::Next> CodeClasses::After(qint32 from, quint8 byte) const {
  const auto begin = edges_.begin() + first_edge_[static_cast<size_t>(from)];
  const auto end = edges_.begin() + first_edge_[static_cast<size_t>(from) + 1];
  const auto at =
      std::lower_bound(begin, end, byte, [](const Edge& edge, quint8 b) { return edge.byte < b; });
  if (at == end || at->byte != byte) return std::nullopt;
  return at->to;
}

SpellingSearch::SpellingSearch(const SpellingIndex& index, const CodeLookup& lookup,
                               QStringView text, bool checked)
    : size_(static_cast<qint32>(text.size())),
      budget_(kBaseWork + kWorkPerUnit * (static_cast<qint64>(text.size()) + 1)) {
  if (checked) classes_.emplace(lookup);
  CollectSteps(index, text);
  Explore();
  if (!abandoned_) Measure();
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
        const auto code = static_cast<int>(spelling.bytes.size());
        if (spelling.control == nullptr) {
          AddStep(static_cast<qint32>(spelling.text.size()), spelling.bytes, code);
          continue;
        }
        for (const ControlMatch& match :
             MatchControl(*spelling.control, rest, spelling.without_breaks)) {
          AddStep(static_cast<qint32>(match.length), spelling.bytes + match.arguments, code);
        }
      }
    }
    if (const auto raw = RawByte(rest)) AddStep(5, QByteArrayView(&*raw, 1), 0);
  }
  first_step_[static_cast<size_t>(size_)] = static_cast<qint32>(steps_.size());
}

void SpellingSearch::AddStep(qint32 advance, QByteArrayView bytes, int min_match) {
  steps_.push_back(Step{advance, static_cast<qint16>(bytes.size()), static_cast<qint8>(min_match),
                        static_cast<qint32>(bytes_.size())});
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

std::optional<SpellingSearch::Open> SpellingSearch::Follow(const Open& open,
                                                           const Step& step) const {
  Open next{};
  int count = 0;
  const auto keep = [&](qint32 after) {
    if (after == CodeClasses::kNone || std::find(next.begin(), next.end(), after) != next.end()) {
      return;
    }
    Q_ASSERT(count < static_cast<int>(next.size()));
    next[static_cast<size_t>(count++)] = after;
  };
  // A code begun before the step that its bytes complete would be read instead of what was put.
  for (const qint32 begun : open) {
    qint32 at = begun;
    for (int i = 0; i < step.length && at != CodeClasses::kNone; ++i) {
      const auto after = classes_->After(at, ByteOf(step, i));
      if (after && after->code) return std::nullopt;
      at = after ? after->next : CodeClasses::kNone;
    }
    keep(at);
  }
  // So would a code longer than the step's own that its bytes begin.
  qint32 at = classes_->Root();
  for (int i = 0; i < step.length && at != CodeClasses::kNone; ++i) {
    const auto after = classes_->After(at, ByteOf(step, i));
    if (after && after->code && i + 1 > step.min_match) return std::nullopt;
    at = after ? after->next : CodeClasses::kNone;
  }
  keep(at);
  std::sort(next.begin(), next.end(), std::greater<>());
  return next;
}

qint32 SpellingSearch::NodeAt(qint32 position, const Open& open) {
  qint32& head = head_[static_cast<size_t>(position)];
  for (qint32 id = head; id >= 0; id = nodes_[static_cast<size_t>(id)].next) {
    ++work_;
    if (!classes_ || opens_[static_cast<size_t>(id)] == open) return id;
  }
  Node node;
  node.next = head;
  nodes_.push_back(node);
  if (classes_) opens_.push_back(open);
  head = static_cast<qint32>(nodes_.size() - 1);
  return head;
}

void SpellingSearch::Explore() {
  head_.assign(static_cast<size_t>(size_) + 1, -1);
  nodes_.reserve(static_cast<size_t>(size_) + 1);
  edges_.reserve(steps_.size());
  (void)NodeAt(0, Open{});
  for (qint32 at = 0; at < size_; ++at) {
    const qint32 first = first_step_[static_cast<size_t>(at)];
    const qint32 last = first_step_[static_cast<size_t>(at) + 1];
    for (qint32 id = head_[static_cast<size_t>(at)]; id >= 0;
         id = nodes_[static_cast<size_t>(id)].next) {
      nodes_[static_cast<size_t>(id)].first_edge = static_cast<qint32>(edges_.size());
      const Open open = classes_ ? opens_[static_cast<size_t>(id)] : Open{};
      for (qint32 s = first; s < last; ++s) {
        const Step& step = steps_[static_cast<size_t>(s)];
        const auto next = classes_ ? Follow(open, step) : Open{};
        if (next) edges_.push_back(Edge{NodeAt(at + step.advance, *next), s});
      }
      nodes_[static_cast<size_t>(id)].end_edge = static_cast<qint32>(edges_.size());
      work_ += last - first;
      // The unchecked search has one node a position: its work is the steps', always bounded.
      if (classes_ && work_ > budget_) {
        abandoned_ = true;
        return;
      }
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
      least = std::min(least, ByteOf(steps_[static_cast<size_t>(item.step)], item.at));
    }
    bytes.append(static_cast<char>(least));
    next.clear();
    for (const Item& item : frontier) {
      const Step& step = steps_[static_cast<size_t>(item.step)];
      if (ByteOf(step, item.at) != least) continue;
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
