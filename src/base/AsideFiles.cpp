#include "base/AsideFiles.h"

#include <charconv>
#include <filesystem>
#include <map>
#include <system_error>

namespace brillex {

namespace fs = std::filesystem;

std::optional<std::string> setAsideFile(const std::string& path, const std::string& suffix,
                                        std::optional<std::size_t> keep) {
    const fs::path base(path + suffix);
    const std::string prefix = base.filename().string() + ".";
    // Copies so far, by number; the first has none and counts as 0.
    std::map<unsigned long, fs::path> copies;
    std::error_code error;
    if (fs::symlink_status(base, error).type() != fs::file_type::not_found) copies.emplace(0, base);
    for (fs::directory_iterator it(base.parent_path().empty() ? "." : base.parent_path(), error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        unsigned long number = 0;
        const char* first = name.data() + prefix.size();
        const char* last = name.data() + name.size();
        const auto parsed = std::from_chars(first, last, number);
        if (parsed.ec == std::errc() && parsed.ptr == last && number > 0 && *first != '0')
            copies.emplace(number, it->path());
    }
    const unsigned long number = copies.empty() ? 0 : copies.rbegin()->first + 1;
    const fs::path target = number == 0 ? base : fs::path(base.string() + "." + std::to_string(number));
    // Renaming onto a name nobody holds; a file that appeared meanwhile is not replaced.
    if (fs::exists(fs::symlink_status(target, error))) return std::nullopt;
    fs::rename(path, target, error);
    if (error) return std::nullopt;
    copies.emplace(number, target);
    while (keep && copies.size() > *keep) {
        fs::remove(copies.begin()->second, error);
        copies.erase(copies.begin());
    }
    return target.string();
}

} // namespace brillex
