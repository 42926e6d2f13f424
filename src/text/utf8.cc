#include "text/utf8.h"

#include <cstring>

namespace orvane::text {

qsizetype FirstNonAscii(QByteArrayView bytes) {
  // Eight bytes at a time: tables are mostly ASCII, and a load reads every byte.
  constexpr quint64 kHighBits = 0x8080808080808080ULL;
  const char* const data = bytes.data();
  qsizetype i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    quint64 word;
    std::memcpy(&word, data + i, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  for (; i < bytes.size(); ++i) {
    if (static_cast<quint8>(data[i]) >= 0x80) return i;
  }
  return i;
}

bool IsValidUtf8(QByteArrayView bytes) {
  qsizetype i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<quint8>(bytes[i]);
    if (lead < 0x80) {
      i += FirstNonAscii(bytes.sliced(i));
      continue;
    }
    int length = 0;
    quint8 low = 0x80;
    quint8 high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (i + length > bytes.size()) return false;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<quint8>(bytes[i + k]);
      if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace orvane::text
