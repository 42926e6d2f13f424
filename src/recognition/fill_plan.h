#pragma once

#include "model/code.h"
#include "recognition/recogniser.h"
#include "text/encoding.h"

#include <QByteArray>

#include <functional>
#include <span>
#include <vector>

namespace orvane::recognition {

// The table's text for a code; empty when it has none.
using TextOf = std::function<QByteArray(const model::Code&)>;

// What Fill from Font writes: the glyph's best character, in the table's encoding.
struct FillWrite {
  model::Code code;
  QByteArray text;
  Match best;
};

enum class LeftBecause { kNoInk, kBelowThreshold, kNotInEncoding };

// A code without text that Fill from Font leaves as it is.
struct FillLeft {
  model::Code code;
  LeftBecause because = LeftBecause::kNoInk;
  Match best;  // none for a glyph without ink
};

// A code whose text is not the glyph's best character: often a typing slip, or a glyph one
// place off. Fill from Font never changes it.
struct FillMismatch {
  model::Code code;
  QByteArray text;
  Match best;
};

struct FillPlan {
  std::vector<FillWrite> writes;
  std::vector<FillLeft> left;
  std::vector<FillMismatch> mismatches;
};

// What Fill from Font does for glyphs with these codes and recognitions (the two in the same
// order): it writes a code without text whose best score is at least `threshold`.
[[nodiscard]] FillPlan PlanFill(std::span<const model::Code> codes,
                                std::span<const Recognition> recognitions, const TextOf& text_of,
                                text::Encoding encoding, float threshold);

// The one character a text stands for in the encoding, or nothing (no text, several
// characters, bytes the encoding cannot read).
[[nodiscard]] std::optional<char16_t> SingleCharacter(const QByteArray& text,
                                                      text::Encoding encoding);

}  // namespace orvane::recognition
