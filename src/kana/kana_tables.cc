#include "kana/kana_tables.h"

namespace orvane::kana {
namespace {

template <size_t N>
std::vector<QByteArray> Strings(const std::array<std::string_view, N>& table) {
  std::vector<QByteArray> entries;
  entries.reserve(N);
  for (std::string_view entry : table) {
    entries.emplace_back(entry.data(), static_cast<qsizetype>(entry.size()));
  }
  return entries;
}

template <size_t N>
std::vector<QByteArray> Bytes(const std::array<quint8, N>& table) {
  std::vector<QByteArray> entries;
  entries.reserve(N);
  for (quint8 entry : table) entries.emplace_back(1, static_cast<char>(entry));
  return entries;
}

}  // namespace

std::vector<QByteArray> TableEntries(KanaTable table) {
  switch (table) {
    case KanaTable::kRomajiPure:
      return Strings(RomajiPure);
    case KanaTable::kRomajiImpure:
      return Strings(RomajiImpure);
    case KanaTable::kKanaTrailPure:
      return Bytes(KanaTrailPure);
    case KanaTable::kKanaTrailImpure:
      return Bytes(KanaTrailImpure);
  }
  return {};
}

char LeadByte(InputMode mode) {
  switch (mode) {
    case InputMode::kHiragana:
      return HiraganaLead;
    case InputMode::kKatakana:
      return KatakanaLead;
    case InputMode::kAscii:
      break;
  }
  return 0;
}

}  // namespace orvane::kana
