#pragma once

#include "text/encoding.h"

#include <QString>

namespace orvane::text {

// What a user is told when kana are to be written in a table whose encoding has none, ending
// with `outcome` ("nothing was written."): the same words wherever kana are refused.
[[nodiscard]] QString NoKanaText(Encoding encoding, const QString& outcome);

}  // namespace orvane::text
