#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace brillex {

// Moves a file that cannot be used out of the way under `path + suffix`,
// or, when a file of that name was set aside before, under the next free
// number (`.unreadable`, `.unreadable.1`, `.unreadable.2`, ...), so that no
// earlier copy is ever overwritten. With `keep`, only that many copies stay,
// the newest; the oldest beyond them are removed. The name it was moved to;
// none when it could not be moved.
std::optional<std::string> setAsideFile(const std::string& path, const std::string& suffix,
                                        std::optional<std::size_t> keep = std::nullopt);

} // namespace brillex
