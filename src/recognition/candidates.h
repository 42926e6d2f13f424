#pragma once

#include "text/encoding.h"

#include <vector>

namespace orvane::recognition {

// The characters a glyph may be: JIS X 0208 (symbols, full-width forms, kana, Greek, Cyrillic,
// both kanji levels) and printable ASCII, and for a Windows-1252 table its printable letters
// and signs too; only those the table's encoding can write. `limited` says that the encoding
// left out part of JIS X 0208, so that the user can be told why kana or kanji are missing.
struct CandidateSet {
  std::vector<char16_t> characters;
  bool limited = false;
};

[[nodiscard]] CandidateSet CandidatesFor(text::Encoding encoding);

// JIS X 0208 row by row, cell by cell (row 1 cell 1 first), as 94×94 cells: the character of
// each cell, or 0 for an unassigned one.
[[nodiscard]] const std::vector<char16_t>& JisCells();
inline constexpr int kJisCellsPerRow = 94;

}  // namespace orvane::recognition
