#pragma once

#include <optional>

namespace orvane::ui {

// The keyboard's Caps Lock state, or nothing where the platform cannot tell (offscreen, Wayland).
[[nodiscard]] std::optional<bool> CapsLockState();

}  // namespace orvane::ui
