#pragma once

#include <QByteArray>

#include <array>
#include <string_view>
#include <vector>

namespace orvane::kana {

// The keyboard input mode, also the script an autocompletion writes. The values are fixed.
enum class InputMode : quint8 { kAscii = 1, kHiragana = 2, kKatakana = 3 };

inline constexpr char HiraganaLead = '\xA4';
inline constexpr char KatakanaLead = '\xA5';

// The 71 syllables in the order of the kana rows, paired by index with their EUC-JP trail
// bytes. "ji" and "zu" stand twice in the impure table; a lookup finds the first.
inline constexpr std::array<std::string_view, 46> RomajiPure = {
    "a",  "i",  "u",  "e",  "o",   "ka",  "ki", "ku", "ke", "ko", "sa", "shi",
    "su", "se", "so", "ta", "chi", "tsu", "te", "to", "na", "ni", "nu", "ne",
    "no", "ha", "hi", "fu", "he",  "ho",  "ma", "mi", "mu", "me", "mo", "ya",
    "yu", "yo", "ra", "ri", "ru",  "re",  "ro", "wa", "wo", "n"};
inline constexpr std::array<std::string_view, 25> RomajiImpure = {
    "ga", "gi", "gu", "ge", "go", "za", "ji", "zu", "ze", "zo", "da", "ji", "zu",
    "de", "do", "ba", "bi", "bu", "be", "bo", "pa", "pi", "pu", "pe", "po"};
inline constexpr std::array<quint8, 46> KanaTrailPure = {
    0xA2, 0xA4, 0xA6, 0xA8, 0xAA, 0xAB, 0xAD, 0xAF, 0xB1, 0xB3, 0xB5, 0xB7, 0xB9, 0xBB, 0xBD, 0xBF,
    0xC1, 0xC4, 0xC6, 0xC8, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xD2, 0xD5, 0xD8, 0xDB, 0xDE, 0xDF,
    0xE0, 0xE1, 0xE2, 0xE4, 0xE6, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEF, 0xF2, 0xF3};
inline constexpr std::array<quint8, 25> KanaTrailImpure = {
    0xAC, 0xAE, 0xB0, 0xB2, 0xB4, 0xB6, 0xB8, 0xBA, 0xBC, 0xBE, 0xC0, 0xC2, 0xC5,
    0xC7, 0xC9, 0xD0, 0xD3, 0xD6, 0xD9, 0xDC, 0xD1, 0xD4, 0xD7, 0xDA, 0xDD};

// Names one of the four tables for a walk by index (autocompletion).
enum class KanaTable { kRomajiPure, kRomajiImpure, kKanaTrailPure, kKanaTrailImpure };

// The table's entries from index 0 to its upper bound, each as a byte string (a trail byte is
// a one-byte string).
[[nodiscard]] std::vector<QByteArray> TableEntries(KanaTable table);

// The lead byte of a kana mode; ASCII has none and gives 0.
[[nodiscard]] char LeadByte(InputMode mode);

}  // namespace orvane::kana
