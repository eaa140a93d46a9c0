#pragma once

#include <memory>

#include "platform/common/NativePlatform.h"
#include "platform/linux/x11/X11Connection.h"

namespace brillex::x11 {

// The native platform on an X11 session: the program's X connection, opened
// before the toolkit, and at install the ports with the guard of its ramps.
class X11Desktop : public platform::NativePlatform {
public:
    static platform::NativeOpening open(const platform::NativeOptions& options);

    std::unique_ptr<platform::InstalledPorts> install(MainLoop& loop) override;

private:
    X11Desktop(std::unique_ptr<X11Connection> connection, platform::NativeOptions options);

    std::unique_ptr<X11Connection> connection_;
    platform::NativeOptions options_;
};

} // namespace brillex::x11
