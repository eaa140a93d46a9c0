#pragma once

#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "platform/linux/x11/CrtcRamp.h"

namespace brillex::x11 {

// The program's own connection to the X server (apart from the toolkit's),
// on which screens are enumerated and gamma ramps read and written.
class X11Connection {
public:
    // Opens `displayName` (the DISPLAY variable when empty) and checks for
    // RandR 1.2 or later; otherwise the text says what is missing.
    static std::variant<std::unique_ptr<X11Connection>, std::string> open(const std::string& displayName = {});
    // Whether the display opens at all (any toolkit window needs that much);
    // otherwise the text says why.
    static std::optional<std::string> reach(const std::string& displayName = {});

    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    XDisplay* display() const { return display_; }
    unsigned long rootWindow() const { return root_; }
    // The file descriptor that becomes readable when the server sends events.
    int fileDescriptor() const;
    // RandR's first event code, to tell its events apart.
    int randrEventBase() const { return randrEventBase_; }

private:
    X11Connection(XDisplay* display, unsigned long root, int randrEventBase)
        : display_(display), root_(root), randrEventBase_(randrEventBase) {}

    XDisplay* display_;
    unsigned long root_;
    int randrEventBase_;
};

} // namespace brillex::x11
