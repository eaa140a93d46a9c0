#include "platform/macos/display/MacTransferTables.h"

#include <CoreGraphics/CoreGraphics.h>

namespace brillex::macos {

// CGGammaValue is the core's float, so the tables pass through unconverted.
static_assert(sizeof(CGGammaValue) == sizeof(float));

int MacTransferTables::getTransferTable(DisplayId display, std::uint32_t capacity, float* red, float* green,
                                        float* blue, std::uint32_t& sampleCount) {
    return CGGetDisplayTransferByTable(display, capacity, red, green, blue, &sampleCount);
}

int MacTransferTables::setTransferTable(DisplayId display, std::uint32_t count, const float* red, const float* green,
                                        const float* blue) {
    return CGSetDisplayTransferByTable(display, count, red, green, blue);
}

} // namespace brillex::macos
