// Any bytes as a saved-ramp file. A file is accepted only when it is exactly
// what the writer makes of what was read from it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/linux/ramps/SavedRamp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto saved = brillex::x11::parseSavedRamp(bytes, &error);
    if (saved.has_value() == !error.empty()) std::abort();
    if (saved && brillex::x11::encodeSavedRamp(*saved) != bytes) std::abort();
    return 0;
}
