#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <span>

namespace orvane::glyphs {

// How a pixel's colour index is held in a tile or a row of a glyph.
enum class PixelFormat {
  k1bpp,        // the high bit is the leftmost pixel
  k1bppPacked,  // bit after bit, across the ends of rows
  k2bppNes,     // a tile's 8 bytes of plane 0, then its 8 of plane 1
  k2bppGb,      // each row's two planes side by side (Game Boy, SNES)
  k4bppSnes,    // planes 0 and 1 as k2bppGb, then planes 2 and 3
  k4bppGba,     // linear, the low nibble the left pixel
  k4bppMd,      // linear, the high nibble the left pixel
  k8bpp,        // linear, a byte a pixel
};

// How the bytes of one glyph make up its pixels: its own rows of whole bytes (1bpp only),
// its bits one after another (1bpp packed only), or 8×8 tiles put together row by row or
// column by column.
enum class Layout { kGlyphRows, kPacked, kTileRows, kTileColumns };

inline constexpr int kMinGlyphSide = 4;
inline constexpr int kMaxGlyphSide = 32;
inline constexpr int kTileSide = 8;

struct GlyphFormat {
  PixelFormat pixels = PixelFormat::k1bpp;
  Layout layout = Layout::kGlyphRows;
  int width = 16;
  int height = 16;
  // Bytes from one glyph to the next; 0 for the glyph's own size.
  int stride = 0;
  friend bool operator==(const GlyphFormat&, const GlyphFormat&) = default;
};

// The names a user gives: "1bpp", "1bpp-packed", "2bpp-nes", "2bpp-gb" (or "2bpp-snes"),
// "4bpp-snes", "4bpp-gba", "4bpp-md", "8bpp".
[[nodiscard]] std::optional<PixelFormat> PixelFormatFromName(QStringView name);
[[nodiscard]] QString PixelFormatName(PixelFormat pixels);
[[nodiscard]] std::span<const PixelFormat> AllPixelFormats();
[[nodiscard]] int BitsPerPixel(PixelFormat pixels);
// 1bpp in its glyph rows, 1bpp packed bit after bit, every other format in tiles row by row.
[[nodiscard]] Layout DefaultLayout(PixelFormat pixels);

// Why the format cannot be read (a size out of range or not whole tiles, a layout the pixel
// format does not have, a stride shorter than a glyph), or nothing when it can.
[[nodiscard]] std::optional<QString> CheckFormat(const GlyphFormat& format);
// The bytes one glyph takes, and from one glyph to the next. Only for a format CheckFormat takes.
[[nodiscard]] int GlyphBytes(const GlyphFormat& format);
[[nodiscard]] int GlyphStride(const GlyphFormat& format);

}  // namespace orvane::glyphs
