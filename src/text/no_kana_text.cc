#include "text/no_kana_text.h"

namespace orvane::text {

QString NoKanaText(Encoding encoding, const QString& outcome) {
  return QStringLiteral(
             "The table is written in %1, which has no kana: %2\r\n\r\nIf the table is "
             "in another encoding, choose it under Options, Encoding; to write kana, "
             "convert the table under Options, Convert Table To.")
      .arg(EncodingName(encoding), outcome);
}

}  // namespace orvane::text
