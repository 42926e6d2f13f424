#include "data/relative_search_runs.h"

#include "kana/kana_tables.h"

#include <QString>
#include <QStringList>

#include <array>

namespace orvane::data {
namespace {

constexpr std::array<const char*, 7> kOrderNames = {
    "upper", "lower", "digits", "hiragana", "katakana", "hiragana-jis", "katakana-jis"};

// The JIS X 0208 kana rows: A4 A1 (ぁ) .. A4 F3 (ん), A5 A1 (ァ) .. A5 F6 (ヶ).
constexpr quint8 kJisFirstTrail = 0xA1;
constexpr int kHiraganaJisLength = 0xF3 - 0xA1 + 1;
constexpr int kKatakanaJisLength = 0xF6 - 0xA1 + 1;
constexpr char16_t kFirstHiragana = u'\u3041';
constexpr char16_t kFirstKatakana = u'\u30A1';

char KanaLead(Run run) {
  switch (run) {
    case Run::kHiraganaPure:
    case Run::kHiraganaImpure:
    case Run::kHiraganaJis:
      return kana::HiraganaLead;
    case Run::kKatakanaPure:
    case Run::kKatakanaImpure:
    case Run::kKatakanaJis:
      return kana::KatakanaLead;
    default:
      return 0;
  }
}

// The trail byte of a kana run's symbol, as the fills walk it.
quint8 KanaTrail(Run run, int index) {
  const auto at = static_cast<size_t>(index);
  switch (run) {
    case Run::kHiraganaPure:
    case Run::kKatakanaPure:
      return kana::KanaTrailPure[at];
    case Run::kHiraganaImpure:
    case Run::kKatakanaImpure:
      return kana::KanaTrailImpure[at];
    default:
      return static_cast<quint8>(kJisFirstTrail + index);
  }
}

char AsciiFirst(Run run) {
  switch (run) {
    case Run::kUpper:
      return 'A';
    case Run::kLower:
      return 'a';
    default:
      return '0';
  }
}

}  // namespace

int RunLength(Run run) {
  switch (run) {
    case Run::kUpper:
    case Run::kLower:
      return 26;
    case Run::kDigits:
      return 10;
    case Run::kHiraganaPure:
    case Run::kKatakanaPure:
      return static_cast<int>(kana::KanaTrailPure.size());
    case Run::kHiraganaImpure:
    case Run::kKatakanaImpure:
      return static_cast<int>(kana::KanaTrailImpure.size());
    case Run::kHiraganaJis:
      return kHiraganaJisLength;
    case Run::kKatakanaJis:
      return kKatakanaJisLength;
  }
  return 0;
}

bool IsKanaRun(Run run) { return KanaLead(run) != 0; }

char16_t KanaOfEucJp(QByteArrayView pair) {
  const char16_t first = pair[0] == kana::HiraganaLead ? kFirstHiragana : kFirstKatakana;
  return static_cast<char16_t>(first + (static_cast<quint8>(pair[1]) - kJisFirstTrail));
}

char16_t RunSymbol(Run run, int index) {
  if (!IsKanaRun(run)) return static_cast<char16_t>(AsciiFirst(run) + index);
  return KanaOfEucJp(RunSymbolEucJp(run, index));
}

std::optional<int> IndexInRun(Run run, char16_t symbol) {
  for (int index = 0; index < RunLength(run); ++index) {
    if (RunSymbol(run, index) == symbol) return index;
  }
  return std::nullopt;
}

QByteArray RunSymbolEucJp(Run run, int index) {
  if (!IsKanaRun(run)) return QByteArray(1, static_cast<char>(AsciiFirst(run) + index));
  QByteArray bytes;
  bytes.append(KanaLead(run)).append(static_cast<char>(KanaTrail(run, index)));
  return bytes;
}

QString OrderName(Order order) {
  return QString::fromLatin1(kOrderNames[static_cast<size_t>(order)]);
}

std::optional<Order> OrderFromName(QStringView name) {
  for (size_t i = 0; i < kOrderNames.size(); ++i) {
    if (name == QLatin1String(kOrderNames[i])) return static_cast<Order>(i);
  }
  return std::nullopt;
}

QString OrderNames() {
  QStringList names;
  for (const char* name : kOrderNames) names.append(QString::fromLatin1(name));
  return names.join(QStringLiteral(", "));
}

std::vector<Run> OrderRuns(Order order) {
  switch (order) {
    case Order::kUpper:
      return {Run::kUpper};
    case Order::kLower:
      return {Run::kLower};
    case Order::kDigits:
      return {Run::kDigits};
    case Order::kHiragana:
      return {Run::kHiraganaPure, Run::kHiraganaImpure};
    case Order::kKatakana:
      return {Run::kKatakanaPure, Run::kKatakanaImpure};
    case Order::kHiraganaJis:
      return {Run::kHiraganaJis};
    case Order::kKatakanaJis:
      return {Run::kKatakanaJis};
  }
  return {};
}

}  // namespace orvane::data
