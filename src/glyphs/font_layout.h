#pragma once

#include "glyphs/glyph_format.h"
#include "model/code.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace orvane::glyphs {

// Where a font lies in a game's data and which codes its glyphs stand for: glyph i begins
// `i` strides after `offset` and has the code first_code + i, the last byte counting first and
// the code keeping first_code's length.
struct FontLayout {
  GlyphFormat format;
  qint64 offset = 0;
  model::Code first_code;
};

// The code of glyph `index`, or nothing when it would not fit the first code's bytes.
[[nodiscard]] std::optional<model::Code> GlyphCode(const model::Code& first_code, qint64 index);
[[nodiscard]] qint64 GlyphOffset(const FontLayout& font, qint64 index);
// How many glyphs begin at or after the offset in data of `data_size` bytes, the last perhaps
// cut short by the end.
[[nodiscard]] qint64 GlyphsInData(const FontLayout& font, qint64 data_size);

// Why `count` glyphs cannot be read from data of `data_size` bytes (the format, an offset past
// the end, a count that runs past it, codes past the first code's width), or nothing.
[[nodiscard]] std::optional<QString> CheckFont(const FontLayout& font, qint64 data_size,
                                               qint64 count);

}  // namespace orvane::glyphs
