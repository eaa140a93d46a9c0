#pragma once

#include <functional>
#include <optional>

#include "base/Signal.h"
#include "boost/ScreenServices.h"
#include "controls/DisplayBrightnessState.h"

namespace brillex {

// Where each display's system brightness is read and set. Where the platform's
// brightness library speaks for every display, its two functions serve them
// all; elsewhere each display is given a source of its own, or none.
class BrightnessSources {
public:
    struct Functions {
        std::optional<DisplayBrightnessState::GetFunction> get;
        std::optional<DisplayBrightnessState::SetFunction> set;
    };
    enum class Change {
        source,  // the display's source came, went or was replaced
        value,   // the source has a fresh value to be read
    };

    virtual ~BrightnessSources() = default;

    // The functions that read and set display `id`; `library` holds the
    // brightness library's pair.
    virtual Functions sourceFor(DisplayId id, const Functions& library) = 0;
    // `changed` runs on the main thread.
    [[nodiscard]] virtual Subscription observeSources(std::function<void(DisplayId, Change)> changed) = 0;
};

// The brightness library serves every display.
class LibrarySources : public BrightnessSources {
public:
    Functions sourceFor(DisplayId, const Functions& library) override { return library; }
    Subscription observeSources(std::function<void(DisplayId, Change)>) override { return {}; }
};

} // namespace brillex
