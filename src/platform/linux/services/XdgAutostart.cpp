#include "platform/linux/services/XdgAutostart.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

namespace brillex::x11 {
namespace fs = std::filesystem;

namespace {

// The lines of the entry's main group, without surrounding blanks.
std::optional<std::vector<std::string>> entryLines(const fs::path& entry) {
    std::ifstream in(entry);
    if (!in) return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    bool inMainGroup = false;
    while (std::getline(in, line)) {
        const auto first = line.find_first_not_of(" \t");
        const auto last = line.find_last_not_of(" \t\r");
        line = first == std::string::npos ? std::string() : line.substr(first, last - first + 1);
        if (line.starts_with('[')) inMainGroup = line == "[Desktop Entry]";
        else if (inMainGroup) lines.push_back(line);
    }
    return lines;
}

std::string errorText(const std::string& what, const fs::path& path, int error) {
    return what + " " + path.string() + ": " + std::strerror(error);
}

// A desktop-entry string value: backslashes and line breaks escaped.
std::string escapedString(const std::string& text) {
    std::string value;
    for (const char c : text) {
        if (c == '\\') value += "\\\\";
        else if (c == '\n') value += "\\n";
        else if (c == '\r') value += "\\r";
        else value += c;
    }
    return value;
}

} // namespace

XdgAutostart::XdgAutostart(fs::path configHome, std::string executable)
    : entry_(std::move(configHome) / "autostart" / kFileName), executable_(std::move(executable)) {}

fs::path XdgAutostart::configHomeFromEnvironment() {
    // A relative $XDG_CONFIG_HOME is invalid and to be ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && fs::path(config).is_absolute()) return config;
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : "/") / ".config";
}

std::string XdgAutostart::entryText(const std::string& executable) {
    // Exec quoting: inside double quotes ", `, $ and \ take a backslash and a
    // % is doubled (else a field code); then the whole value is escaped as a
    // desktop-entry string, which doubles every backslash again.
    std::string argument = "\"";
    for (const char c : executable) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') argument += '\\';
        if (c == '%') argument += '%';
        argument += c;
    }
    argument += '"';
    // TryExec: once the program is uninstalled, the session skips the entry
    // instead of failing to start it.
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Brillex\n"
           "Comment=Lift your displays above their standard white, per display, from the system tray\n"
           "TryExec=" + escapedString(executable) + "\n"
           "Exec=" + escapedString(argument) + "\n"
           "Icon=brillex\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n" +
           std::string(kOwnMark) + "\n";
}

bool XdgAutostart::isOwnEntry() const {
    const auto lines = entryLines(entry_);
    return lines && std::find(lines->begin(), lines->end(), kOwnMark) != lines->end();
}

std::optional<std::string> XdgAutostart::registerItem() {
    std::error_code error;
    if (fs::exists(entry_, error) && !isOwnEntry()) {
        return entry_.string() + " exists and was not written by Brillex; it is left as it is";
    }
    fs::create_directories(entry_.parent_path(), error);
    if (error) return errorText("cannot create", entry_.parent_path(), error.value());
    // Written beside the entry and renamed over it, so the desktop never reads half an entry.
    const fs::path partial = entry_.string() + ".partial";
    {
        std::ofstream out(partial, std::ios::trunc);
        out << entryText(executable_);
        out.close();
        if (!out) {
            const int failure = errno ? errno : EIO;
            fs::remove(partial, error);
            return errorText("cannot write", partial, failure);
        }
    }
    fs::rename(partial, entry_, error);
    if (error) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        return errorText("cannot write", entry_, error.value());
    }
    return std::nullopt;
}

std::optional<std::string> XdgAutostart::unregisterItem() {
    std::error_code error;
    if (!fs::exists(entry_, error)) return std::nullopt;
    if (!isOwnEntry()) return entry_.string() + " was not written by Brillex; it is left as it is";
    if (!fs::remove(entry_, error) && error) return errorText("cannot remove", entry_, error.value());
    return std::nullopt;
}

} // namespace brillex::x11
