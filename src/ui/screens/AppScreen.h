#pragma once

#include <functional>

namespace brillex {

// The popover's screens; the root view holds the current one.
enum class AppScreen { main, settings, about };

// How a screen changes the root's current screen.
using Navigate = std::function<void(AppScreen)>;

} // namespace brillex
