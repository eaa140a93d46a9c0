#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "base/MainLoop.h"

namespace brillex::platform {

// What the command line tells a native platform.
struct NativeOptions {
    // The output to take for the built-in panel; none: the platform's own rule.
    std::optional<std::string> builtInOutput;
};

// The ports a native platform installed; they serve until this goes, which
// the program lets happen before the toolkit ends.
class InstalledPorts {
public:
    virtual ~InstalledPorts() = default;
};

// A native platform whose desktop is open. It is opened before the toolkit
// starts, so that a missing desktop is a clear line rather than a toolkit
// abort; it lives until the process ends. Its ports are made once the main
// loop exists.
class NativePlatform {
public:
    virtual ~NativePlatform() = default;
    virtual std::unique_ptr<InstalledPorts> install(MainLoop& loop) = 0;
};

using NativeOpening = std::variant<std::unique_ptr<NativePlatform>, std::string>;

// One native platform built into the program: its name, how it opens the
// desktop (or says in one line why this session is not its kind), and how it
// tells whether the toolkit will find a desktop to draw on, which the
// simulated start asks before the toolkit starts (the toolkit aborts
// otherwise; a native start learns it from opening): none when it will, else
// why not.
struct NativePlatformEntry {
    const char* name;
    NativeOpening (*open)(const NativeOptions& options);
    std::optional<std::string> (*findDesktop)();
};

// The platforms the build chose, in the order they are tried (the build
// generates this table).
std::span<const NativePlatformEntry> nativePlatforms();

// The first platform of `entries` that opens; when none does, their reasons
// in one line.
NativeOpening openNativePlatform(std::span<const NativePlatformEntry> entries, const NativeOptions& options);

// None when one of `entries` finds a desktop, or when there are none to ask
// (the toolkit is then on its own); else their reasons in one line.
std::optional<std::string> findDesktop(std::span<const NativePlatformEntry> entries);

} // namespace brillex::platform
