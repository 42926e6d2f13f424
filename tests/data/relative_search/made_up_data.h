#pragma once

#include "data/relative_search_query.h"

#include <QByteArray>

namespace orvane::testing {

// 64 KiB of random bytes (the same each run) with English and kana strings written in at fixed
// offsets, some odd, through a made-up table (A at 80, a at A0, あ at 10, が at 50; at 16 bits
// 0200, 0300, 0120, 0180): "HERO" three times (first at 0100), "Hero" twice, "たからもの" three
// times (first at 1500), "どうぐ" three times; and "ゆうしゃ" twice through a table that keeps its
// kana in the JIS order (ぁ at 20, or 0400).
[[nodiscard]] QByteArray MadeUpData(data::ValueSize values);

}  // namespace orvane::testing
