#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/linux/ramps/SavedRamp.h"

namespace brillex::x11 {

// How a saved ramp goes back onto its CRTC without the program that saved
// it: over connections of the writer's own to the display server the ramp
// came from. One kind per display server, named by the saved ramp's `writer`.
class RampWriter {
public:
    enum class Result { written, unreachable, noSuchCrtc, otherSize, refused };

    virtual ~RampWriter() = default;

    // What the saved ramp's CRTC shows now; none, with `failure` set to why
    // (unreachable or noSuchCrtc), when it cannot be read.
    virtual std::optional<CrtcRamp> read(const SavedRamp& saved, Result& failure) = 0;
    virtual Result write(const SavedRamp& saved) = 0;
};

// The writers a guardian or a start has, by name.
class RampWriters {
public:
    void add(std::string name, std::unique_ptr<RampWriter> writer) { writers_[std::move(name)] = std::move(writer); }
    // None for a name without a writer here.
    RampWriter* find(const std::string& name) const {
        const auto it = writers_.find(name);
        return it == writers_.end() ? nullptr : it->second.get();
    }

private:
    std::map<std::string, std::unique_ptr<RampWriter>> writers_;
};

// What each Result means in a log line ("the display cannot be opened").
const char* describe(RampWriter::Result result);

} // namespace brillex::x11
