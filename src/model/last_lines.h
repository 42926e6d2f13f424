#pragma once

#include "model/code.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orvane::model {

// Where each code of two to four bytes is defined last among the layout's lines, as a load finds
// them: two-byte codes, most of any large table, in a flat table filled line by line; the rare
// longer ones in a hash. Inline: a large table defines a code a line.
class LastLines {
 public:
  // The line (its index in the layout's lines, plus one) that defined the code before, or 0.
  quint32 Define(const Code& code, quint32 line) {
    if (code.Length() != 2) {
      auto [at, added] = longer_.try_emplace(KeyOf(code), line);
      return added ? 0 : std::exchange(at->second, line);
    }
    if (two_byte_.empty()) two_byte_.resize(0x10000);
    const quint32 before = std::exchange(two_byte_[code.Value()], line);
    if (before == 0) ++counts_[code.Value() >> 8];
    return before;
  }
  // Calls page(page, count) before each page of two-byte codes and two_byte(cell, line) for each
  // of its codes, and longer(code, line) for every longer code, all in code order.
  template <typename PageOf, typename TwoByte, typename Longer>
  void ForEach(PageOf page_of, TwoByte two_byte, Longer longer) const {
    std::vector<std::pair<Code, quint32>> sorted;
    sorted.reserve(longer_.size());
    for (const auto& [key, line] : longer_) {
      sorted.emplace_back(*Code::Make(static_cast<quint32>(key), static_cast<int>(key >> 32)),
                          line);
    }
    std::sort(sorted.begin(), sorted.end());
    auto next = sorted.cbegin();
    // Codes of three and four bytes come after the two-byte codes of their lead byte.
    for (int lead = 0; lead < 256; ++lead) {
      if (const qsizetype count = counts_[static_cast<size_t>(lead)]; count > 0) {
        page_of(*Page::Make(static_cast<quint32>(lead), 1), count);
        const quint32* cells = two_byte_.data() + (lead << 8);
        for (int cell = 0; cell < 256; ++cell) {
          if (cells[cell] != 0) two_byte(static_cast<quint8>(cell), cells[cell]);
        }
      }
      for (; next != sorted.cend() && LeadOf(next->first) == lead; ++next) {
        longer(next->first, next->second);
      }
    }
  }

 private:
  static quint64 KeyOf(const Code& code) {
    return static_cast<quint64>(code.Length()) << 32 | code.Value();
  }
  static int LeadOf(const Code& code) {
    return static_cast<int>(code.Value() >> (8 * (code.Length() - 1)));
  }

  std::vector<quint32> two_byte_;
  std::array<quint16, 256> counts_{};  // two-byte codes by lead byte
  std::unordered_map<quint64, quint32> longer_;
};

}  // namespace orvane::model
