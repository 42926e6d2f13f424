#include "text/windows1252.h"

#include <array>

namespace orvane::text {
namespace {

// Windows-1252 at 0x80..0x9F; 0 marks the five unassigned bytes.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::optional<QChar> Windows1252Char(quint8 byte) {
  if (byte < 0x80 || byte >= 0xA0) return QChar(static_cast<char16_t>(byte));
  const char16_t mapped = kCp1252High[byte - 0x80];
  if (mapped == 0) return std::nullopt;
  return QChar(mapped);
}

std::optional<quint8> KeyByte(QChar character) {
  const char16_t unicode = character.unicode();
  if (unicode < 0x80 || (unicode >= 0xA0 && unicode <= 0xFF)) return static_cast<quint8>(unicode);
  for (size_t i = 0; i < kCp1252High.size(); ++i) {
    if (kCp1252High[i] == unicode) return static_cast<quint8>(0x80 + i);
  }
  return std::nullopt;
}

}  // namespace orvane::text
