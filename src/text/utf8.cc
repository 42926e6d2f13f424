#include "text/utf8.h"

namespace orvane::text {

qsizetype FirstInvalidUtf8(QByteArrayView bytes) {
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
      return i;
    }
    if (i + length > bytes.size()) return i;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<quint8>(bytes[i + k]);
      if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return i;
    }
    i += length;
  }
  return bytes.size();
}

bool IsValidUtf8(QByteArrayView bytes) { return FirstInvalidUtf8(bytes) == bytes.size(); }

}  // namespace orvane::text
