#pragma once

#include <QByteArrayView>

namespace orvane::text {

// How a table's bytes are read as characters. Only the screen and typed text convert; stored
// bytes never change.
enum class Encoding {
  // A pair of bytes A1..FE that is a JIS X 0208 character is that character; any other byte
  // its Windows-1252 character.
  kEucJp,
  // Texts that are valid UTF-8 read as UTF-8; any other text falls back to the EUC-JP rule.
  kUtf8,
};

// Gathers a table's texts and names their encoding: UTF-8 when there is at least one non-ASCII
// text and every such text is valid UTF-8, otherwise the format's own EUC-JP.
class EncodingDetector {
 public:
  void Add(QByteArrayView text);
  [[nodiscard]] Encoding Result() const;

 private:
  bool any_non_ascii_ = false;
  bool all_utf8_ = true;
};

}  // namespace orvane::text
