#include "glyphs/glyph_format.h"

#include <array>

namespace orvane::glyphs {

using namespace Qt::Literals::StringLiterals;

namespace {

struct NamedFormat {
  QStringView name;
  PixelFormat pixels;
};

// The first name of each format is the one it is shown by.
constexpr std::array<NamedFormat, 9> kNames = {{
    {u"1bpp", PixelFormat::k1bpp},
    {u"1bpp-packed", PixelFormat::k1bppPacked},
    {u"2bpp-nes", PixelFormat::k2bppNes},
    {u"2bpp-gb", PixelFormat::k2bppGb},
    {u"2bpp-snes", PixelFormat::k2bppGb},
    {u"4bpp-snes", PixelFormat::k4bppSnes},
    {u"4bpp-gba", PixelFormat::k4bppGba},
    {u"4bpp-md", PixelFormat::k4bppMd},
    {u"8bpp", PixelFormat::k8bpp},
}};

constexpr std::array<PixelFormat, 8> kFormats = {
    PixelFormat::k1bpp,     PixelFormat::k1bppPacked, PixelFormat::k2bppNes, PixelFormat::k2bppGb,
    PixelFormat::k4bppSnes, PixelFormat::k4bppGba,    PixelFormat::k4bppMd,  PixelFormat::k8bpp};

bool IsTiled(Layout layout) {
  return layout == Layout::kTileRows || layout == Layout::kTileColumns;
}

bool TakesLayout(PixelFormat pixels, Layout layout) {
  switch (pixels) {
    case PixelFormat::k1bpp:
      return layout != Layout::kPacked;
    case PixelFormat::k1bppPacked:
      return layout == Layout::kPacked;
    default:
      return IsTiled(layout);
  }
}

}  // namespace

std::optional<PixelFormat> PixelFormatFromName(QStringView name) {
  for (const NamedFormat& named : kNames) {
    if (name.compare(named.name, Qt::CaseInsensitive) == 0) return named.pixels;
  }
  return std::nullopt;
}

QString PixelFormatName(PixelFormat pixels) {
  for (const NamedFormat& named : kNames) {
    if (named.pixels == pixels) return named.name.toString();
  }
  return {};
}

std::span<const PixelFormat> AllPixelFormats() { return kFormats; }

int BitsPerPixel(PixelFormat pixels) {
  switch (pixels) {
    case PixelFormat::k1bpp:
    case PixelFormat::k1bppPacked:
      return 1;
    case PixelFormat::k2bppNes:
    case PixelFormat::k2bppGb:
      return 2;
    case PixelFormat::k4bppSnes:
    case PixelFormat::k4bppGba:
    case PixelFormat::k4bppMd:
      return 4;
    case PixelFormat::k8bpp:
      return 8;
  }
  return 1;
}

Layout DefaultLayout(PixelFormat pixels) {
  switch (pixels) {
    case PixelFormat::k1bpp:
      return Layout::kGlyphRows;
    case PixelFormat::k1bppPacked:
      return Layout::kPacked;
    default:
      return Layout::kTileRows;
  }
}

std::optional<QString> CheckFormat(const GlyphFormat& format) {
  const QString name = PixelFormatName(format.pixels);
  for (const int side : {format.width, format.height}) {
    if (side < kMinGlyphSide || side > kMaxGlyphSide) {
      return u"A glyph is %1 to %2 pixels wide and high."_s.arg(kMinGlyphSide).arg(kMaxGlyphSide);
    }
  }
  if (!TakesLayout(format.pixels, format.layout)) {
    if (format.pixels == PixelFormat::k1bppPacked) {
      return u"1bpp-packed glyphs are bits one after another, not rows or tiles."_s;
    }
    if (format.pixels == PixelFormat::k1bpp) return u"Packed 1bpp glyphs are 1bpp-packed."_s;
    return u"%1 is made of 8×8 tiles."_s.arg(name);
  }
  if (IsTiled(format.layout) && (format.width % kTileSide != 0 || format.height % kTileSide != 0)) {
    return u"A glyph of %1 tiles is a multiple of %2 pixels wide and high."_s.arg(name).arg(
        kTileSide);
  }
  if (format.stride < 0 || (format.stride != 0 && format.stride < GlyphBytes(format))) {
    return u"From one glyph to the next is at least the %1 bytes of a glyph."_s.arg(
        GlyphBytes(format));
  }
  return std::nullopt;
}

int GlyphBytes(const GlyphFormat& format) {
  const int bits = BitsPerPixel(format.pixels);
  switch (format.layout) {
    case Layout::kGlyphRows:
      return (format.width + 7) / 8 * format.height;
    case Layout::kPacked:
      return (format.width * format.height + 7) / 8;
    case Layout::kTileRows:
    case Layout::kTileColumns:
      return format.width * format.height * bits / 8;
  }
  return 0;
}

int GlyphStride(const GlyphFormat& format) {
  return format.stride != 0 ? format.stride : GlyphBytes(format);
}

}  // namespace orvane::glyphs
