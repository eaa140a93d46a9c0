#pragma once

#include "platform/common/NativePlatform.h"

namespace brillex::macos {

// The native platform in a macOS login session: every port on AppKit, Core
// Graphics, Metal, IOKit and the Objective-C runtime, the application-shell
// ports included (they replace the Qt ones installed before them).
class MacDesktop : public platform::NativePlatform {
public:
    static platform::NativeOpening open(const platform::NativeOptions& options);
    // Whether this is a graphical login session, which the toolkit needs too.
    static std::optional<std::string> findDesktop();

    std::unique_ptr<platform::InstalledPorts> install(MainLoop& loop) override;
};

} // namespace brillex::macos
