#pragma once

// The font whose characters glyphs are read against unless the user names another: the one
// scripts/setup.sh installs. A literal too, for usage texts made at compile time.
#define ORVANE_DEFAULT_FAMILY "IPAGothic"

namespace orvane::recognition {

inline constexpr char kDefaultFamily[] = ORVANE_DEFAULT_FAMILY;

}  // namespace orvane::recognition
