#include "platform/linux/ramps/RampStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/AsideFiles.h"
#include "base/Log.h"

namespace brillex::x11 {

namespace {

constexpr std::string_view kSuffix = ".ramp";
constexpr std::string_view kTemporarySuffix = ".ramp.tmp";

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool fsyncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// The file's bytes when it is a regular file of ours, reached without a
// symbolic link, of a size a saved ramp can have; otherwise why not.
std::optional<std::string> readOwnFile(const std::string& path, std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = errno == ELOOP ? "a symbolic link" : std::strerror(errno);
        return std::nullopt;
    }
    struct stat info{};
    std::optional<std::string> bytes;
    if (::fstat(fd, &info) != 0) {
        why = std::strerror(errno);
    } else if (!S_ISREG(info.st_mode)) {
        why = "not a regular file";
    } else if (info.st_uid != ::getuid()) {
        why = "owned by another user";
    } else if (static_cast<std::size_t>(info.st_size) > kMaxSavedRampBytes) {
        why = "too large";
    } else {
        std::string text(static_cast<std::size_t>(info.st_size), '\0');
        std::size_t got = 0;
        while (got < text.size()) {
            const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        text.resize(got);
        bytes = std::move(text);
    }
    ::close(fd);
    return bytes;
}

} // namespace

const std::string& RampStore::defaultDirectory() {
    static const std::string directory = [] {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        if (runtime && runtime[0] == '/') return std::string(runtime) + "/brillex";
        const char* tmp = std::getenv("TMPDIR");
        const std::string base = tmp && tmp[0] == '/' ? tmp : "/tmp";
        std::string fallback = base + "/brillex-" + std::to_string(::getuid());
        logLine("XDG_RUNTIME_DIR is not set; native ramps are saved in " + fallback);
        return fallback;
    }();
    return directory;
}

bool RampStore::isPrivate(std::string* why) const {
    const auto fail = [why](std::string text) {
        if (why) *why = std::move(text);
        return false;
    };
    if (::mkdir(directory_.c_str(), 0700) != 0 && errno != EEXIST)
        return fail("it cannot be created (" + std::string(std::strerror(errno)) + ")");
    // In a shared temporary folder someone else may have made it first.
    struct stat info{};
    if (::lstat(directory_.c_str(), &info) != 0) return fail(std::strerror(errno));
    if (S_ISLNK(info.st_mode)) return fail("it is a symbolic link");
    if (!S_ISDIR(info.st_mode)) return fail("it is not a folder");
    if (info.st_uid != ::getuid()) return fail("it belongs to another user");
    if ((info.st_mode & 0077) != 0) return fail("others may use it (mode " + [&] {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
        return std::string(mode);
    }() + ")");
    return true;
}

std::string RampStore::setAside(const std::string& path, const std::string& suffix) const {
    return setAsideFile(path, suffix).value_or("");
}

std::string RampStore::pathOf(const SavedRamp& saved) const {
    std::string display;
    for (const char c : saved.displayName) display += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return directory_ + "/crtc" + std::to_string(saved.crtc) + "-pid" + std::to_string(saved.owner) + "-" +
           display + std::string(kSuffix);
}

bool RampStore::save(const SavedRamp& saved, std::string* why, bool durable) const {
    const std::string path = pathOf(saved);
    const auto failed = [why](const std::string& what) {
        if (why) *why = what;
        return false;
    };
    std::string notPrivate;
    if (!isPrivate(&notPrivate)) return failed(directory_ + " is not a private folder of this user: " + notPrivate);
    const std::string temporary = path.substr(0, path.size() - kSuffix.size()) + std::string(kTemporarySuffix);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return failed(std::strerror(errno));
    const bool written = writeAll(fd, encodeSavedRamp(saved)) && (!durable || ::fsync(fd) == 0);
    const int writeError = errno;
    ::close(fd);
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = written ? errno : writeError;
        ::unlink(temporary.c_str());
        return failed(std::strerror(error));
    }
    if (durable && !fsyncDirectory(directory_)) return failed(std::strerror(errno));
    return true;
}

void RampStore::remove(const std::string& path) const {
    if (::unlink(path.c_str()) == 0) fsyncDirectory(directory_);
}

void RampStore::removeUnfinished(int owner) const {
    DIR* folder = ::opendir(directory_.c_str());
    if (!folder) return;
    const std::string mark = "-pid" + std::to_string(owner) + "-";
    while (const dirent* item = ::readdir(folder)) {
        const std::string_view name = item->d_name;
        if (endsWith(name, kTemporarySuffix) && name.find(mark) != std::string_view::npos)
            ::unlinkat(::dirfd(folder), item->d_name, 0);
    }
    ::closedir(folder);
}

std::vector<RampStore::Entry> RampStore::load() const {
    std::vector<Entry> entries;
    DIR* folder = ::opendir(directory_.c_str());
    if (!folder) return entries;
    while (const dirent* item = ::readdir(folder)) {
        const std::string name = item->d_name;
        if (!endsWith(name, kSuffix)) continue;
        const std::string path = directory_ + "/" + name;
        std::string why;
        const std::optional<std::string> bytes = readOwnFile(path, why);
        if (!bytes) {
            logLine("Ignoring saved ramp " + path + ": " + why);
            continue;
        }
        std::optional<SavedRamp> saved = parseSavedRamp(*bytes, &why);
        if (!saved) {
            const std::string aside = setAside(path, ".corrupt");
            logLine("Saved ramp " + path + " is unreadable (" + why + ")" +
                    (aside.empty() ? std::string("; left where it is") : "; set aside as " + aside));
            continue;
        }
        entries.push_back(Entry{path, std::move(*saved)});
    }
    ::closedir(folder);
    return entries;
}

} // namespace brillex::x11
