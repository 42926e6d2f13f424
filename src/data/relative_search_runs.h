#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace orvane::data {

// A run of symbols that a game may keep on consecutive values. The kana fills write the pure
// and the impure sounds as two runs; the JIS X 0208 kana rows are one run each.
enum class Run : quint8 {
  kUpper,
  kLower,
  kDigits,
  kHiraganaPure,
  kHiraganaImpure,
  kKatakanaPure,
  kKatakanaImpure,
  kHiraganaJis,
  kKatakanaJis,
};

// The orders a word is searched in, as the tool names them.
enum class Order : quint8 {
  kUpper,
  kLower,
  kDigits,
  kHiragana,
  kKatakana,
  kHiraganaJis,
  kKatakanaJis,
};

[[nodiscard]] int RunLength(Run run);
// The symbol at `index` (0 .. RunLength - 1).
[[nodiscard]] char16_t RunSymbol(Run run, int index);
// Where the symbol stands in the run, or nothing.
[[nodiscard]] std::optional<int> IndexInRun(Run run, char16_t symbol);
// The symbol's EUC-JP bytes, as the fills hold them before writing them in the table's
// encoding: one byte for letters and digits, the lead and trail byte for kana.
[[nodiscard]] QByteArray RunSymbolEucJp(Run run, int index);
[[nodiscard]] bool IsKanaRun(Run run);
// The kana of an EUC-JP pair of the kana rows (A4 A2 is あ), as the romaji tables give it.
[[nodiscard]] char16_t KanaOfEucJp(QByteArrayView pair);

// "upper", "lower", "digits", "hiragana", "katakana", "hiragana-jis", "katakana-jis".
[[nodiscard]] QString OrderName(Order order);
[[nodiscard]] std::optional<Order> OrderFromName(QStringView name);
// The names above, separated by ", ".
[[nodiscard]] QString OrderNames();
// One run, or the pure and the impure sounds for the kana fill orders.
[[nodiscard]] std::vector<Run> OrderRuns(Order order);

}  // namespace orvane::data
