#include "glyphs/glyph_pixels.h"

#include <algorithm>

namespace orvane::glyphs {

namespace {

constexpr int kTileBytes1bpp = kTileSide;

// The bytes of a glyph, reading 0 past their end.
class Bytes {
 public:
  explicit Bytes(QByteArrayView bytes) : bytes_(bytes) {}
  [[nodiscard]] quint8 operator[](qsizetype at) const {
    return at < bytes_.size() ? static_cast<quint8>(bytes_[at]) : 0;
  }
  [[nodiscard]] int Bit(qsizetype at, int x) const { return (*this)[at] >> (7 - x) & 1; }

 private:
  QByteArrayView bytes_;
};

// Colour index of pixel (x, y) of one 8×8 tile whose bytes begin at `at`.
quint8 TilePixel(const Bytes& bytes, qsizetype at, PixelFormat pixels, int x, int y) {
  const qsizetype row = y;
  switch (pixels) {
    case PixelFormat::k1bpp:
    case PixelFormat::k1bppPacked:
      return static_cast<quint8>(bytes.Bit(at + row, x));
    case PixelFormat::k2bppNes:
      return static_cast<quint8>(bytes.Bit(at + row, x) | bytes.Bit(at + 8 + row, x) << 1);
    case PixelFormat::k2bppGb:
      return static_cast<quint8>(bytes.Bit(at + 2 * row, x) | bytes.Bit(at + 2 * row + 1, x) << 1);
    case PixelFormat::k4bppSnes:
      return static_cast<quint8>(bytes.Bit(at + 2 * row, x) | bytes.Bit(at + 2 * row + 1, x) << 1 |
                                 bytes.Bit(at + 16 + 2 * row, x) << 2 |
                                 bytes.Bit(at + 17 + 2 * row, x) << 3);
    case PixelFormat::k4bppGba: {
      const quint8 byte = bytes[at + 4 * row + x / 2];
      return static_cast<quint8>((x % 2 == 0 ? byte : byte >> 4) & 0x0F);
    }
    case PixelFormat::k4bppMd: {
      const quint8 byte = bytes[at + 4 * row + x / 2];
      return static_cast<quint8>((x % 2 == 0 ? byte >> 4 : byte) & 0x0F);
    }
    case PixelFormat::k8bpp:
      return bytes[at + 8 * row + x];
  }
  return 0;
}

void DecodeTiles(const Bytes& bytes, const GlyphFormat& format, GlyphPixels& glyph) {
  const int tile_bytes = format.pixels == PixelFormat::k1bpp
                             ? kTileBytes1bpp
                             : kTileSide * kTileSide * BitsPerPixel(format.pixels) / 8;
  const int across = format.width / kTileSide;
  const int down = format.height / kTileSide;
  for (int tile_y = 0; tile_y < down; ++tile_y) {
    for (int tile_x = 0; tile_x < across; ++tile_x) {
      const int tile =
          format.layout == Layout::kTileRows ? tile_y * across + tile_x : tile_x * down + tile_y;
      const qsizetype at = qsizetype{tile} * tile_bytes;
      for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
          glyph.Set(tile_x * kTileSide + x, tile_y * kTileSide + y,
                    TilePixel(bytes, at, format.pixels, x, y));
        }
      }
    }
  }
}

}  // namespace

bool GlyphPixels::HasInk() const {
  return std::any_of(pixels_.begin(), pixels_.end(), [](quint8 colour) { return colour != 0; });
}

GlyphPixels DecodeGlyph(QByteArrayView bytes, const GlyphFormat& format) {
  GlyphPixels glyph(format.width, format.height);
  const Bytes data(bytes);
  switch (format.layout) {
    case Layout::kGlyphRows: {
      const int row_bytes = (format.width + 7) / 8;
      for (int y = 0; y < format.height; ++y) {
        for (int x = 0; x < format.width; ++x) {
          glyph.Set(x, y, static_cast<quint8>(data.Bit(qsizetype{y} * row_bytes + x / 8, x % 8)));
        }
      }
      break;
    }
    case Layout::kPacked:
      for (int bit = 0; bit < format.width * format.height; ++bit) {
        glyph.Set(bit % format.width, bit / format.width,
                  static_cast<quint8>(data.Bit(bit / 8, bit % 8)));
      }
      break;
    case Layout::kTileRows:
    case Layout::kTileColumns:
      DecodeTiles(data, format, glyph);
      break;
  }
  return glyph;
}

}  // namespace orvane::glyphs
