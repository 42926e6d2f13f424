#include "text/encoding.h"

#include "text/utf8.h"

namespace orvane::text {

void EncodingDetector::Add(QByteArrayView text) {
  if (!all_utf8_ || IsAscii(text)) return;
  any_non_ascii_ = true;
  all_utf8_ = IsValidUtf8(text);
}

Encoding EncodingDetector::Result() const {
  return any_non_ascii_ && all_utf8_ ? Encoding::kUtf8 : Encoding::kEucJp;
}

}  // namespace orvane::text
