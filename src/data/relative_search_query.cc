#include "data/relative_search_query.h"

#include "kana/romaji.h"

#include <QList>

#include <algorithm>
#include <string>

namespace orvane::data {
namespace {

constexpr char32_t kAnySymbol = U'*';
constexpr qsizetype kLongestSyllable = 3;

struct Symbols {
  std::u32string symbols;
  QString error;
};

bool IsAsciiLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }

QString Character(char32_t c) { return QString::fromUcs4(&c, 1); }

// The syllable of the romaji tables that begins at `at`, longest first, and its length.
std::optional<std::pair<char32_t, qsizetype>> Syllable(const QList<uint>& text, qsizetype at,
                                                       kana::InputMode script) {
  for (qsizetype length = std::min(kLongestSyllable, text.size() - at); length > 0; --length) {
    QByteArray romaji;
    for (qsizetype i = at; i < at + length && IsAsciiLetter(text[i]); ++i) {
      romaji.append(static_cast<char>(text[i] | 0x20));  // lower case
    }
    if (romaji.size() != length) continue;
    if (const auto kana = kana::KanaForRomaji(romaji, script)) {
      return std::pair<char32_t, qsizetype>(KanaOfEucJp(*kana), length);
    }
  }
  return std::nullopt;
}

// The word's characters; in a kana script, runs of letters read as romaji.
Symbols ReadSymbols(QStringView word, kana::InputMode script) {
  const QList<uint> text = word.toUcs4();
  Symbols read;
  for (qsizetype at = 0; at < text.size();) {
    if (script == kana::InputMode::kAscii || !IsAsciiLetter(text[at])) {
      read.symbols += static_cast<char32_t>(text[at++]);
      continue;
    }
    const auto syllable = Syllable(text, at, script);
    if (!syllable) {
      read.error = QStringLiteral("\"%1\" (character %2) begins no syllable of the romaji tables.")
                       .arg(Character(text[at]))
                       .arg(at + 1);
      return read;
    }
    read.symbols += syllable->first;
    at += syllable->second;
  }
  return read;
}

kana::InputMode ScriptOf(std::optional<Order> order) {
  if (!order) return kana::InputMode::kAscii;
  const Run run = OrderRuns(*order).front();
  if (!IsKanaRun(run)) return kana::InputMode::kAscii;
  return RunSymbolEucJp(run, 0)[0] == kana::HiraganaLead ? kana::InputMode::kHiragana
                                                         : kana::InputMode::kKatakana;
}

std::optional<int> Find(Run run, char32_t symbol) {
  if (symbol > 0xFFFF) return std::nullopt;
  return IndexInRun(run, static_cast<char16_t>(symbol));
}

bool Holds(const std::u32string& symbols, Run run) {
  return std::any_of(symbols.begin(), symbols.end(),
                     [run](char32_t symbol) { return Find(run, symbol).has_value(); });
}

// The order the word's characters name: kana before letters before digits.
std::vector<Run> RunsFor(const std::u32string& symbols) {
  if (Holds(symbols, Run::kHiraganaJis)) return OrderRuns(Order::kHiragana);
  if (Holds(symbols, Run::kKatakanaJis)) return OrderRuns(Order::kKatakana);
  std::vector<Run> letters;
  if (Holds(symbols, Run::kUpper)) letters.push_back(Run::kUpper);
  if (Holds(symbols, Run::kLower)) letters.push_back(Run::kLower);
  if (letters.empty() && Holds(symbols, Run::kDigits)) letters.push_back(Run::kDigits);
  return letters;
}

Slot SlotFor(char32_t symbol, const std::vector<Run>& runs) {
  Slot slot;
  slot.symbol = symbol;
  if (symbol == kAnySymbol) return slot;
  slot.kind = Slot::Kind::kOutside;
  for (size_t run = 0; run < runs.size(); ++run) {
    if (const auto index = Find(runs[run], symbol)) {
      slot.kind = Slot::Kind::kRun;
      slot.run = static_cast<int>(run);
      slot.index = *index;
      break;
    }
  }
  return slot;
}

// Whether some run holds two different symbols of the word: the only thing a search measures.
bool HasDifference(const Query& query) {
  for (const Slot& a : query.pattern) {
    for (const Slot& b : query.pattern) {
      if (a.kind == Slot::Kind::kRun && b.kind == Slot::Kind::kRun && a.run == b.run &&
          a.index != b.index) {
        return true;
      }
    }
  }
  return false;
}

QueryOrError Refuse(const QString& reason) { return QueryOrError{std::nullopt, reason}; }

}  // namespace

QueryOrError MakeQuery(QStringView word, std::optional<Order> order, ValueSize values) {
  if (word.isEmpty()) return Refuse(QStringLiteral("The word is empty."));
  const Symbols read = ReadSymbols(word, ScriptOf(order));
  if (!read.error.isEmpty()) return Refuse(read.error);
  if (read.symbols.size() > kMaxWordLength) {
    return Refuse(QStringLiteral("The word is longer than %1 symbols.").arg(kMaxWordLength));
  }
  Query query;
  query.word = QString::fromStdU32String(read.symbols);
  query.values = values;
  // Only the runs the word uses, in the order's own order: their first symbols are reported.
  for (const Run run : order ? OrderRuns(*order) : RunsFor(read.symbols)) {
    if (Holds(read.symbols, run)) query.runs.push_back(run);
  }
  if (query.runs.empty()) {
    return Refuse(
        order ? QStringLiteral("The word holds no symbol of the order %1.").arg(OrderName(*order))
              : QStringLiteral("The word holds no letter, digit or kana to search."));
  }
  for (const char32_t symbol : read.symbols) query.pattern.push_back(SlotFor(symbol, query.runs));
  if (!HasDifference(query)) {
    return Refuse(QStringLiteral(
        "The word needs two different symbols of one order: a single symbol has no difference "
        "to search."));
  }
  return QueryOrError{std::move(query), {}};
}

}  // namespace orvane::data
