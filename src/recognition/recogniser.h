#pragma once

#include "glyphs/glyph_pixels.h"
#include "recognition/character_model.h"

#include <optional>
#include <span>
#include <stop_token>
#include <vector>

namespace orvane::recognition {

struct Match {
  char16_t character = 0;
  float score = 0;  // 0..1, 1 the closest a glyph can be
  friend bool operator==(const Match&, const Match&) = default;
};

// What a glyph was read as: its best characters, best first, or nothing for a glyph without ink.
struct Recognition {
  bool has_ink = false;
  std::vector<Match> best;
};

// The `top` characters of the model closest to the glyph.
[[nodiscard]] Recognition Recognise(const CharacterModel& model, const glyphs::GlyphPixels& glyph,
                                    int top);
// Every glyph in turn; nothing when stopped.
[[nodiscard]] std::optional<std::vector<Recognition>> RecogniseAll(
    const CharacterModel& model, std::span<const glyphs::GlyphPixels> glyphs, int top,
    const std::stop_token& stop = {}, const Progress& progress = {});

}  // namespace orvane::recognition
