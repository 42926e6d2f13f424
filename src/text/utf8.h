#pragma once

#include <QByteArrayView>

#include <bit>
#include <cstring>

namespace orvane::text {

namespace detail {
template <typename Word>
Word HighBits(const char* data) {
  Word word;
  std::memcpy(&word, data, sizeof word);
  return word & static_cast<Word>(0x8080808080808080ULL);
}
// The first byte in memory order whose high bit is set in `high`, which is not 0.
template <typename Word>
qsizetype FirstHighByte(Word high) {
  if constexpr (std::endian::native == std::endian::little) return std::countr_zero(high) / 8;
  return std::countl_zero(high) / 8;
}
}  // namespace detail

// Where the first byte above 0x7F is, or the size when there is none. Whole words at a time, the
// last one overlapping those before, and inline: a load asks it of every line, and most lines are
// short and plain ASCII.
[[nodiscard]] inline qsizetype FirstNonAscii(QByteArrayView bytes) {
  using detail::FirstHighByte;
  using detail::HighBits;
  const char* const data = bytes.data();
  const qsizetype size = bytes.size();
  if (size >= 8) {
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
      if (const auto high = HighBits<quint64>(data + i); high != 0) return i + FirstHighByte(high);
    }
    if (i == size) return size;
    // The bytes of this word before `i` are ASCII: its first high bit is at `i` or after.
    if (const auto high = HighBits<quint64>(data + size - 8); high != 0) {
      return size - 8 + FirstHighByte(high);
    }
    return size;
  }
  if (size >= 4) {
    if (const auto high = HighBits<quint32>(data); high != 0) return FirstHighByte(high);
    if (const auto high = HighBits<quint32>(data + size - 4); high != 0) {
      return size - 4 + FirstHighByte(high);
    }
    return size;
  }
  qsizetype i = 0;
  while (i < size && static_cast<quint8>(data[i]) < 0x80) ++i;
  return i;
}
[[nodiscard]] inline bool IsAscii(QByteArrayView bytes) {
  return FirstNonAscii(bytes) == bytes.size();
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF, no cut sequence. Qt's
// stateless decoder forgets its errors before they can be read, so it cannot tell.
[[nodiscard]] bool IsValidUtf8(QByteArrayView bytes);
// Where the first sequence that is not strict UTF-8 starts, or the size when there is none.
[[nodiscard]] qsizetype FirstInvalidUtf8(QByteArrayView bytes);

}  // namespace orvane::text
