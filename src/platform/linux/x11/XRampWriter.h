#pragma once

#include <map>
#include <string>

#include "platform/linux/ramps/RampWriter.h"

namespace brillex::x11 {

// Saved ramps of X displays, each written over a connection of its own to
// the display that the file names, opened at first use and kept.
class XRampWriter : public RampWriter {
public:
    static constexpr const char* kName = "x11";

    XRampWriter() = default;
    ~XRampWriter() override;
    XRampWriter(const XRampWriter&) = delete;
    XRampWriter& operator=(const XRampWriter&) = delete;

    std::optional<CrtcRamp> read(const SavedRamp& saved, Result& failure) override;
    Result write(const SavedRamp& saved) override;

private:
    XDisplay* open(const std::string& name);

    std::map<std::string, XDisplay*> displays_;
};

} // namespace brillex::x11
