#include "glyphs/font_layout.h"

namespace orvane::glyphs {

using namespace Qt::Literals::StringLiterals;

std::optional<model::Code> GlyphCode(const model::Code& first_code, qint64 index) {
  if (index < 0) return std::nullopt;
  const quint64 value = quint64{first_code.Value()} + static_cast<quint64>(index);
  const int bits = 8 * first_code.Length();
  if (value >> bits != 0) return std::nullopt;
  return model::Code::Make(static_cast<quint32>(value), first_code.Length());
}

qint64 GlyphOffset(const FontLayout& font, qint64 index) {
  return font.offset + index * GlyphStride(font.format);
}

qint64 GlyphsInData(const FontLayout& font, qint64 data_size) {
  if (font.offset < 0 || font.offset >= data_size) return 0;
  const qint64 stride = GlyphStride(font.format);
  return (data_size - font.offset + stride - 1) / stride;
}

std::optional<QString> CheckFont(const FontLayout& font, qint64 data_size, qint64 count) {
  if (auto why = CheckFormat(font.format)) return why;
  if (font.offset < 0 || font.offset >= data_size) {
    return u"The offset %1 is past the end of the data (%2 bytes)."_s.arg(font.offset, 0, 16)
        .arg(data_size);
  }
  if (count < 1) return u"At least one glyph is read."_s;
  const qint64 end = GlyphOffset(font, count - 1) + GlyphBytes(font.format);
  if (end > data_size) {
    return u"%1 glyphs from offset %2 run past the end of the data (%3 bytes)."_s.arg(count)
        .arg(font.offset, 0, 16)
        .arg(data_size);
  }
  if (!GlyphCode(font.first_code, count - 1)) {
    return u"%1 glyphs from code %2 run past code %3."_s.arg(count).arg(
        QString::fromLatin1(font.first_code.Hex()), u"FF"_s.repeated(font.first_code.Length()));
  }
  return std::nullopt;
}

}  // namespace orvane::glyphs
