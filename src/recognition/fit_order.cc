#include "recognition/fit_order.h"

#include "recognition/candidates.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace orvane::recognition {

namespace {

constexpr int kShiftJisTrails = 0xFC - 0x40 + 1;  // 7F among them
constexpr int kShiftJisUnused = 0x7F - 0x40;

// Shift-JIS lays two JIS rows after each lead byte: 94 cells on trails 40..7E and 80..9E, the
// next 94 on 9F..FC, the trail 7F between them unused.
std::vector<char16_t> ShiftJisOrder(const std::vector<char16_t>& cells) {
  std::vector<char16_t> order;
  for (size_t pair = 0; pair < cells.size(); pair += size_t{2} * kJisCellsPerRow) {
    for (int trail = 0; trail < kShiftJisTrails; ++trail) {
      if (trail == kShiftJisUnused) {
        order.push_back(0);
        continue;
      }
      const size_t cell = pair + static_cast<size_t>(trail < kShiftJisUnused ? trail : trail - 1);
      order.push_back(cell < cells.size() ? cells[cell] : char16_t{0});
    }
  }
  return order;
}

std::vector<char16_t> RowsOrder(const std::vector<char16_t>& cells, std::span<const int> rows,
                                bool packed) {
  std::vector<char16_t> order;
  for (const int row : rows) {
    if (row < 1 || row > kJisCellsPerRow) continue;
    const auto first = cells.begin() + std::ptrdiff_t{row - 1} * kJisCellsPerRow;
    for (auto cell = first; cell != first + kJisCellsPerRow; ++cell) {
      if (!packed || *cell != 0) order.push_back(*cell);
    }
  }
  return order;
}

struct Vote {
  qint64 start = 0;
  int votes = 0;
  int known = 0;
};

// The start most known glyphs agree on in one order.
Vote BestStart(const std::vector<char16_t>& order, std::span<const KnownGlyph> known) {
  std::vector<qint64> place(0x10000, -1);
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i] != 0 && place[order[i]] < 0) place[order[i]] = static_cast<qint64>(i);
  }
  std::map<qint64, int> votes;
  Vote best;
  for (const KnownGlyph& glyph : known) {
    const qint64 at = place[glyph.character];
    if (at < 0) continue;
    ++best.known;
    ++votes[at - glyph.index];
  }
  for (const auto& [start, count] : votes) {
    const bool nearer = std::abs(start) < std::abs(best.start);
    if (count > best.votes || (count == best.votes && nearer)) {
      best.start = start;
      best.votes = count;
    }
  }
  return best;
}

void Fill(OrderFit& fit, std::span<const char16_t> order, qint64 glyph_count,
          std::span<const KnownGlyph> known, std::span<const Recognition> recognitions) {
  fit.characters.assign(static_cast<size_t>(std::max<qint64>(glyph_count, 0)), 0);
  for (qint64 i = 0; i < glyph_count; ++i) {
    const qint64 at = fit.start + i;
    if (at >= 0 && at < static_cast<qint64>(order.size())) {
      fit.characters[static_cast<size_t>(i)] = order[static_cast<size_t>(at)];
    }
  }
  for (const KnownGlyph& glyph : known) {
    if (glyph.index < 0 || glyph.index >= glyph_count) continue;
    if (fit.characters[static_cast<size_t>(glyph.index)] != glyph.character) {
      fit.disagreeing.push_back(glyph.index);
    }
  }
  const auto checked = std::min(recognitions.size(), fit.characters.size());
  for (size_t i = 0; i < checked; ++i) {
    const Recognition& recognition = recognitions[i];
    if (!recognition.has_ink || recognition.best.empty()) continue;
    if (recognition.best.front().character != fit.characters[i]) {
      fit.conflicts.push_back(
          {static_cast<qint64>(i), fit.characters[i], recognition.best.front()});
    }
  }
}

}  // namespace

std::vector<char16_t> OrderCharacters(FontOrder order, std::span<const int> rows) {
  const std::vector<char16_t>& cells = JisCells();
  switch (order) {
    case FontOrder::kJisCells:
      return cells;
    case FontOrder::kJis: {
      std::vector<char16_t> packed;
      std::copy_if(cells.begin(), cells.end(), std::back_inserter(packed),
                   [](char16_t c) { return c != 0; });
      return packed;
    }
    case FontOrder::kShiftJis:
      return ShiftJisOrder(cells);
    case FontOrder::kRows:
      return RowsOrder(cells, rows, false);
    case FontOrder::kRowsPacked:
      return RowsOrder(cells, rows, true);
  }
  return {};
}

std::optional<OrderFit> FitOrder(std::span<const KnownGlyph> known, qint64 glyph_count,
                                 std::span<const Recognition> recognitions,
                                 const OrderOptions& options) {
  std::optional<OrderFit> fit;
  for (const FontOrder order : options.orders) {
    const std::vector<char16_t> characters = OrderCharacters(order, options.rows);
    const Vote vote = BestStart(characters, known);
    if (vote.votes == 0 || (fit && vote.votes < fit->agreeing)) continue;
    OrderFit candidate{order, vote.start, vote.votes, vote.known, {}, {}, {}};
    Fill(candidate, characters, glyph_count, known, recognitions);
    // Orders that agree on every known glyph so far (kana and the first kanji rows have no
    // gaps) are told apart by how many glyphs the recognition reads as the order has them.
    if (fit && vote.votes == fit->agreeing && candidate.conflicts.size() >= fit->conflicts.size()) {
      continue;
    }
    fit = std::move(candidate);
  }
  return fit;
}

std::vector<KnownGlyph> SurelyRecognised(std::span<const Recognition> recognitions, float sure) {
  std::vector<KnownGlyph> known;
  for (size_t i = 0; i < recognitions.size(); ++i) {
    const Recognition& recognition = recognitions[i];
    if (recognition.has_ink && !recognition.best.empty() &&
        recognition.best.front().score >= sure) {
      known.push_back({static_cast<qint64>(i), recognition.best.front().character});
    }
  }
  return known;
}

}  // namespace orvane::recognition
