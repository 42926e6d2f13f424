#pragma once

#include "recognition/recogniser.h"

#include <QtGlobal>

#include <optional>
#include <span>
#include <vector>

namespace orvane::recognition {

// Orders in which games keep a font of JIS X 0208 characters.
enum class FontOrder {
  kJisCells,    // 94 cells a row from row 1, unassigned cells kept as blank glyphs
  kJis,         // the assigned characters only, one after another
  kShiftJis,    // Shift-JIS codes 40..FC after each lead byte, the unused 7F kept as a blank
  kRows,        // the rows given, one after another, their unassigned cells kept
  kRowsPacked,  // the rows given, their assigned characters only
};

// A glyph whose character is known: typed in the table, or recognised with a high score.
struct KnownGlyph {
  qint64 index = 0;
  char16_t character = 0;
};

// A glyph whose recognised best character is not the one the fitted order gives it.
struct OrderConflict {
  qint64 index = 0;
  char16_t fitted = 0;
  Match best;
};

struct OrderFit {
  FontOrder order = FontOrder::kJisCells;
  qint64 start = 0;                  // the place in the order of glyph 0; glyph i is at start + i
  int agreeing = 0;                  // known glyphs the fit gives their character
  int known = 0;                     // known glyphs whose character the order holds
  std::vector<char16_t> characters;  // for each glyph; 0 where the order has none
  std::vector<qint64> disagreeing;   // known glyphs the fit gives another character
  std::vector<OrderConflict> conflicts;
};

struct OrderOptions {
  std::vector<FontOrder> orders = {FontOrder::kJisCells, FontOrder::kJis, FontOrder::kShiftJis};
  std::vector<int> rows;  // JIS rows 1..94 for kRows and kRowsPacked, in the font's order
};

// The characters of an order, in order; 0 for a blank place.
[[nodiscard]] std::vector<char16_t> OrderCharacters(FontOrder order, std::span<const int> rows);

// The order and the start in it that give the most known glyphs their character, or nothing
// when no known glyph's character is in any of the orders. `recognitions`, when given, are one a
// glyph: where the fit and a glyph's best character differ, the glyph is listed, and of orders
// that agree with as many known glyphs the one with the fewest such conflicts wins (then the
// order listed first, then the start nearest the beginning).
[[nodiscard]] std::optional<OrderFit> FitOrder(std::span<const KnownGlyph> known,
                                               qint64 glyph_count,
                                               std::span<const Recognition> recognitions = {},
                                               const OrderOptions& options = {});

// The glyphs recognised with at least `sure` as their best score, as known glyphs.
[[nodiscard]] std::vector<KnownGlyph> SurelyRecognised(std::span<const Recognition> recognitions,
                                                       float sure);

}  // namespace orvane::recognition
