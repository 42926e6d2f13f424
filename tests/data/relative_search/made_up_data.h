#pragma once

#include "data/relative_search_query.h"

#include <QByteArray>
#include <QStringView>

namespace orvane::testing {

// Where a made-up game keeps the first symbol of each run: A, a, あ, が, and ぁ of a second
// game that keeps its kana in the JIS order.
struct MadeUpTable {
  quint32 upper = 0;
  quint32 lower = 0;
  quint32 pure = 0;
  quint32 impure = 0;
  quint32 jis = 0;
};

[[nodiscard]] MadeUpTable MadeUpTableFor(data::ValueSize values);

// 64 KiB of random bytes (the same each run) with English and kana strings written in at fixed
// offsets, some at odd ones, through the made-up table: "HERO" three times (first at 0100),
// "Hero" twice, "たからもの" three times (first at 1500), "どうぐ" three times, and "ゆうしゃ"
// twice in the JIS game's table.
[[nodiscard]] QByteArray MadeUpData(data::ValueSize values);

// Writes `text` at `at` through `table`.
void WriteText(QByteArray& data, qsizetype at, QStringView text, const MadeUpTable& table,
               data::ValueSize values);

}  // namespace orvane::testing
